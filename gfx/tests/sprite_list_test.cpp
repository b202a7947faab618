#include <gtest/gtest.h>

#include <memory>

#include "gfx/PhasedSprite.h"
#include "gfx/SpriteList.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/Trace.h"

namespace {

// Counts live instances, to see who destroys sprites.
struct CountedSprite : CSprite {
    static inline int alive = 0;
    explicit CountedSprite(int z = 0) {
        ++alive;
        SetZ(z);
    }
    ~CountedSprite() override { --alive; }
};

std::vector<CSprite*> Order(const CSpriteList& list) {
    std::vector<CSprite*> order;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        order.push_back(static_cast<CSprite*>(list.GetNext(pos)));
    return order;
}

}  // namespace

TEST(SpriteList, KeepsAscendingDepthNewestFirst) {
    CSpriteList list;
    auto* five = new CountedSprite(5);
    auto* one = new CountedSprite(1);
    auto* three = new CountedSprite(3);
    for (CSprite* sprite : {static_cast<CSprite*>(five), static_cast<CSprite*>(one), static_cast<CSprite*>(three)})
        EXPECT_TRUE(list.Insert(sprite));
    EXPECT_EQ(Order(list), (std::vector<CSprite*>{one, three, five}));
    auto* secondThree = new CountedSprite(3);
    list.Insert(secondThree);
    EXPECT_EQ(Order(list), (std::vector<CSprite*>{one, secondThree, three, five}));

    one->SetZ(10);
    list.Reorder(one);
    EXPECT_EQ(Order(list).back(), one);

    EXPECT_EQ(list.Remove(three), three);
    EXPECT_EQ(list.Remove(three), nullptr);
    EXPECT_EQ(list.GetCount(), 3);
    TraceCapture trace;
    list.Reorder(three);
    EXPECT_EQ(trace.Lines(), std::vector<std::string>{"Unable to find sprite"});
    EXPECT_EQ(list.GetCount(), 3);
    delete three;  // taken out, so ours to destroy

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(CountedSprite::alive, 0);
    EXPECT_EQ(list.HitTest(CPoint(5, 5)), nullptr);
}

TEST(SpriteList, HitTestFindsTheNewestOfEqualDepth) {
    CSpriteList list;
    EXPECT_EQ(list.HitTest(CPoint(5, 5)), nullptr);
    std::vector<CSprite*> sprites;
    for (int i = 0; i < 3; ++i) {
        sprites.push_back(new CSprite);  // 16 x 16 at the origin
        list.Insert(sprites.back());
    }
    EXPECT_EQ(list.HitTest(CPoint(5, 5)), sprites[2]);
    EXPECT_EQ(list.HitTest(CPoint(0, 5)), nullptr);
    EXPECT_EQ(list.HitTest(CPoint(20, 5)), nullptr);
}

TEST(SpriteList, DestroyingTheListDestroysItsSprites) {
    {
        CSpriteList list;
        list.Insert(new CountedSprite);
        list.Insert(new CountedSprite);
        EXPECT_EQ(CountedSprite::alive, 2);
    }
    EXPECT_EQ(CountedSprite::alive, 0);
}

TEST(SpriteList, ArchiveRecreatesEachSpriteByClass) {
    CSpriteList list;
    auto* plain = new CSprite;
    plain->SetPosition(3, 4);
    auto* phased = new CPhasedSprite;
    phased->SetZ(2);
    list.Insert(plain);
    list.Insert(phased);
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        archive.WriteObject(&list);
    }
    file.SeekToBegin();
    CArchive archive(&file, CArchive::load);
    std::unique_ptr<CObject> object(archive.ReadObject(RUNTIME_CLASS(CSpriteList)));
    ASSERT_NE(object, nullptr);
    const auto order = Order(static_cast<const CSpriteList&>(*object));
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0]->GetRuntimeClass(), RUNTIME_CLASS(CSprite));
    EXPECT_EQ(order[0]->GetX(), 3);
    EXPECT_EQ(order[1]->GetRuntimeClass(), RUNTIME_CLASS(CPhasedSprite));
    EXPECT_EQ(order[1]->GetZ(), 2);
}

TEST(SpriteList, ArchiveAcceptsOnlySprites) {
    // Two elements, the second a picture rather than a sprite.
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        CSprite sprite;
        CDIB picture;
        archive.WriteCount(2);
        archive.WriteObject(&sprite);
        archive.WriteObject(&picture);
    }
    file.SeekToBegin();
    CArchive archive(&file, CArchive::load);
    CSpriteList list;
    auto* kept = new CountedSprite;
    list.Insert(kept);
    list.Serialize(archive);
    EXPECT_TRUE(archive.IsBad());
    EXPECT_EQ(Order(list), std::vector<CSprite*>{kept}) << "the sprite read before is destroyed again";
}
