#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/PhasedSprite.h"
#include "gfx/SpriteList.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/Trace.h"

namespace {

// Counts live instances, to see who destroys sprites.
struct CountedSprite : CSprite {
    static inline int alive = 0;
    explicit CountedSprite(int z = 0) { ++alive, SetZ(z); }
    ~CountedSprite() override { --alive; }
};

std::vector<CSprite*> Order(const CSpriteList& list) {
    std::vector<CSprite*> order;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) order.push_back(static_cast<CSprite*>(list.GetNext(pos)));
    return order;
}

}  // namespace

TEST(SpriteList, OrdersByDepthNewestFirstAndOwnsItsSprites) {
    {
        CSpriteList list;
        CSprite *five = new CountedSprite(5), *one = new CountedSprite(1), *three = new CountedSprite(3);
        for (CSprite* sprite : {five, one, three}) list.Insert(sprite);
        CSprite* secondThree = new CountedSprite(3);
        list.Insert(secondThree);
        EXPECT_EQ(Order(list), (std::vector<CSprite*>{one, secondThree, three, five}));
        EXPECT_EQ(list.HitTest(CPoint(5, 5)), one) << "the smallest depth wins";
        EXPECT_EQ(list.HitTest(CPoint(0, 5)), nullptr);

        one->SetZ(10);
        list.Reorder(one);
        EXPECT_EQ(Order(list).back(), one);
        EXPECT_EQ(list.Remove(three), three);
        EXPECT_EQ(list.Remove(three), nullptr);
        TraceCapture trace;
        list.Reorder(three);
        EXPECT_EQ(trace.Lines(), std::vector<std::string>{"Unable to find sprite"});
        EXPECT_EQ(list.GetCount(), 3);
        delete three;  // taken out, so ours to destroy
        list.RemoveAll();
        EXPECT_EQ(CountedSprite::alive, 0);
        EXPECT_EQ(list.HitTest(CPoint(5, 5)), nullptr);
        list.Insert(new CountedSprite);
    }
    EXPECT_EQ(CountedSprite::alive, 0) << "the list's destructor destroys what it holds";
}

TEST(SpriteList, ArchiveRecreatesSpritesByClassAndNothingElse) {
    CSpriteList list;
    list.Insert(new CSprite);
    list.Insert(new CPhasedSprite);
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        archive.WriteObject(&list);
        CDIB picture;  // a second list whose second element is no sprite
        archive.WriteCount(2);
        archive.WriteObject(list.GetHead());
        archive.WriteObject(&picture);
    }
    file.SeekToBegin();
    CArchive archive(&file, CArchive::load);
    std::unique_ptr<CObject> object(archive.ReadObject(RUNTIME_CLASS(CSpriteList)));
    ASSERT_NE(object, nullptr);
    const auto order = Order(static_cast<const CSpriteList&>(*object));
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0]->GetRuntimeClass(), RUNTIME_CLASS(CPhasedSprite));
    EXPECT_EQ(order[1]->GetRuntimeClass(), RUNTIME_CLASS(CSprite));

    CSpriteList target;
    auto* kept = new CountedSprite;
    target.Insert(kept);
    target.Serialize(archive);
    EXPECT_TRUE(archive.IsBad());
    EXPECT_EQ(Order(target), std::vector<CSprite*>{kept}) << "the sprite read before is destroyed again";
}

// A picture that cannot be read or written fails the whole archive: the
// list made so far is destroyed again (the sanitizer build sees any leak).
TEST(SpriteList, ArchiveWithADamagedPictureFails) {
    CSpriteList list;
    for (int index = 0; index < 3; ++index) list.Insert(new CPhasedSprite);
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        archive.WriteObject(&list);
    }
    std::vector<BYTE> bytes = file.Bytes();
    const BYTE picture[] = {'B', 'M', 0x36, 0x05, 0, 0};  // a 16 x 16 picture's file header
    auto middle = std::search(bytes.begin(), bytes.end(), std::begin(picture), std::end(picture));
    middle = std::search(middle + 1, bytes.end(), std::begin(picture), std::end(picture));
    ASSERT_NE(middle, bytes.end());
    middle[14 + 14] = 7;  // biBitCount: no such depth
    CMemFile damaged(bytes);
    CArchive reading(&damaged, CArchive::load);
    EXPECT_EQ(reading.ReadObject(RUNTIME_CLASS(CSpriteList)), nullptr);
    EXPECT_TRUE(reading.IsBad());

    CMemFile full;
    full.SetWriteLimit(100);  // room for the class records, not for a picture
    CArchive writing(&full, CArchive::store);
    EXPECT_THROW(writing.WriteObject(list.GetHead()), CFileException);
}
