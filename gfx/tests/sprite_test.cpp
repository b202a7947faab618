// Sprites and the sprite list: drawing, hit tests, cells, depth order, archives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>

#include "gfx/PhasedSprite.h"
#include "gfx/SpriteList.h"
#include "platform/core/Archive.h"
#include "tests/support/MemFile.h"

namespace {

// A sprite whose pixel (x, y) is value(x, y), transparent index taken as a load would take it.
template <typename Sprite, typename Value>
std::unique_ptr<Sprite> MakeSprite(int width, int height, Value value) {
    auto sprite = std::make_unique<Sprite>();
    sprite->Create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) *sprite->GetPixelAddress(x, y) = BYTE(value(x, y));
    sprite->Initialize();
    return sprite;
}

std::unique_ptr<CDIB> Canvas(int width, int height, BYTE fill) {
    auto canvas = std::make_unique<CDIB>();
    canvas->Create(width, height);
    std::fill_n(canvas->GetBits(), canvas->BytesPerRow() * height, fill);
    return canvas;
}

BYTE At(const CDIB& dib, int x, int y) { return *dib.GetPixelAddress(x, y); }

// Counts live instances, to see who destroys sprites.
struct CountedSprite : CSprite {
    static inline int alive = 0;
    explicit CountedSprite(int depth = 0) {
        ++alive;
        SetZ(depth);
    }
    ~CountedSprite() override { --alive; }
};

std::vector<CSprite*> Order(const CSpriteList& list) {
    std::vector<CSprite*> order;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        order.push_back(static_cast<CSprite*>(list.GetNext(pos)));
    return order;
}

// The list's own archive form, without a class record, and a marker behind it.
std::vector<BYTE> Stored(CSpriteList& list) {
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    list.Serialize(archive);
    archive << std::int32_t{12345};
    return file.Bytes();
}

}  // namespace

// At a board position: a hit lies strictly inside the rectangle (the left and top edges miss); a phased sprite's hit
// also needs an opaque pixel of its current cell.
TEST(Sprite, HitTestsAtABoardPosition) {
    auto plain = MakeSprite<CSprite>(40, 40, [](int x, int y) { return x + y == 0 ? 0 : 5; });
    // Index 0, transparent as at the top left, at (10, 10) of the second cell only.
    auto phased = MakeSprite<CPhasedSprite>(80, 40,
                                            [](int x, int y) { return x + y == 0 || (x == 50 && y == 10) ? 0 : 5; });
    phased->SetNumCellColumns(2);
    phased->SetCellColumn(1);
    // The point, and whether it hits the plain and the phased sprite.
    const std::tuple<CPoint, bool, bool> cases[] = {
        {{80, 130}, false, false},  {{81, 121}, true, true},    {{119, 159}, true, true},
        {{120, 130}, false, false}, {{100, 160}, false, false}, {{90, 130}, true, false},
    };
    for (CSprite* sprite : {static_cast<CSprite*>(plain.get()), static_cast<CSprite*>(phased.get())}) {
        sprite->SetPosition(80, 120);
        CRect rect;
        sprite->GetRect(&rect);
        EXPECT_EQ(rect, CRect(80, 120, 120, 160));
    }
    for (const auto& [point, plainHit, phasedHit] : cases) {
        EXPECT_EQ(plain->HitTest(point), plainHit) << point.x << "," << point.y;
        EXPECT_EQ(phased->HitTest(point), phasedHit) << point.x << "," << point.y;
    }
}

TEST(Sprite, RenderClipsAndLeavesOutTheTopLeftIndex) {
    // Index 3 at the top left and scattered; index 0 is drawn like any other.
    auto sprite = MakeSprite<CSprite>(20, 10,
                                      [](int x, int y) { return x + y == 0 || (x + y) % 4 == 3 ? 3 : x * y % 5; });
    auto canvas = Canvas(30, 20, 9);
    sprite->SetPosition(-10, 0);
    const CRect clip(0, 0, 360, 360);
    sprite->Render(canvas.get(), &clip);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const BYTE source = x < 10 && y < 10 ? At(*sprite, x + 10, y) : 3;
            ASSERT_EQ(At(*canvas, x, y), source == 3 ? 9 : source) << x << "," << y;
        }
    // Without a clip the destination's edges clip; a clip that misses draws nothing.
    canvas = Canvas(30, 20, 9);
    sprite->SetPosition(25, 15);
    sprite->Render(canvas.get(), nullptr);
    EXPECT_EQ(At(*canvas, 29, 19), At(*sprite, 4, 4));
    EXPECT_EQ(At(*canvas, 24, 19), 9);
    const CRect away(0, 0, 20, 10);
    canvas = Canvas(30, 20, 9);
    sprite->Render(canvas.get(), &away);
    EXPECT_TRUE(std::all_of(canvas->GetBits(), canvas->GetBits() + 32 * 20, [](BYTE value) { return value == 9; }));
}

// Records what a sprite reports: the change and its first rectangle.
struct ChangeLog : CSpriteListener {
    void OnSpriteChanged(CSprite*, UINT code, const CRect& first, const CRect*) override {
        changes.emplace_back(code, first);
    }
    std::vector<std::pair<UINT, CRect>> changes;
};

// On a grid of 3 x 2 cells of 40 x 20, a cell off the grid and the current cell are refused; a new current cell is
// reported, and it is what the sprite draws.
TEST(PhasedSprite, CellChangesAreCheckedAndReported) {
    auto sprite = MakeSprite<CPhasedSprite>(120, 40, [](int x, int y) { return 1 + x / 40 + 3 * (y / 20); });
    ASSERT_TRUE(sprite->SetNumCellColumns(3));
    ASSERT_TRUE(sprite->SetNumCellRows(2));
    sprite->SetPosition(7, 8);
    ChangeLog log;
    sprite->SetListener(&log);
    struct Case {
        const char* what;
        bool (CPhasedSprite::*set)(int);
        int value;
        bool changed;
    };
    const Case cases[] = {
        {"row -1", &CPhasedSprite::SetCellRow, -1, false},
        {"row 2", &CPhasedSprite::SetCellRow, 2, false},
        {"the current row", &CPhasedSprite::SetCellRow, 0, false},
        {"row 1", &CPhasedSprite::SetCellRow, 1, true},
        {"column -1", &CPhasedSprite::SetCellColumn, -1, false},
        {"column 3", &CPhasedSprite::SetCellColumn, 3, false},
        {"the current column", &CPhasedSprite::SetCellColumn, 0, false},
        {"column 2", &CPhasedSprite::SetCellColumn, 2, true},
    };
    for (const Case& change : cases) {
        SCOPED_TRACE(change.what);
        log.changes.clear();
        EXPECT_EQ((sprite.get()->*change.set)(change.value), change.changed);
        std::vector<std::pair<UINT, CRect>> reported;
        if (change.changed) reported.emplace_back(SPRITE_CHANGED_CELL, CRect(7, 8, 47, 28));
        EXPECT_EQ(log.changes, reported);
    }
    // Only row 1, column 2 has the value 6.
    auto canvas = Canvas(50, 30, 9);
    sprite->Render(canvas.get(), nullptr);
    EXPECT_EQ(At(*canvas, 7, 8), 1 + 2 + 3);
}

TEST(SpriteList, OrdersByDepthNewestFirstAndOwnsItsSprites) {
    {
        CSpriteList list;
        CSprite* five = new CountedSprite(5);
        CSprite* one = new CountedSprite(1);
        CSprite* three = new CountedSprite(3);
        for (CSprite* sprite : {five, one, three}) list.Insert(sprite);
        CSprite* secondThree = new CountedSprite(3);
        list.Insert(secondThree);
        EXPECT_EQ(Order(list), (std::vector<CSprite*>{one, secondThree, three, five}));
        EXPECT_EQ(list.Remove(three), three);
        EXPECT_EQ(list.Remove(three), nullptr);
        EXPECT_EQ(Order(list), (std::vector<CSprite*>{one, secondThree, five}));
        delete three;  // taken out, so ours to destroy
        list.RemoveAll();
        EXPECT_EQ(CountedSprite::alive, 0);
        list.Insert(new CountedSprite);
    }
    EXPECT_EQ(CountedSprite::alive, 0) << "the list's destructor destroys what it holds";
}

// A list that cannot be read whole is no list: the sprites this load made are destroyed again (the sanitizer build sees
// any leak), and the list read into keeps what it held.
TEST(SpriteList, DamagedArchivesLeaveTheListAsItWas) {
    CSpriteList list;
    for (int index = 0; index < 3; ++index) list.Insert(new CPhasedSprite);
    const std::vector<BYTE> whole = Stored(list);
    std::vector<std::vector<BYTE>> cases;
    for (std::size_t length = 2; length + 4 < whole.size(); length += 5)
        cases.emplace_back(whole.begin(), whole.begin() + std::ptrdiff_t(length));
    cases.push_back(whole);
    const BYTE picture[] = {'B', 'M', 0x36, 0x05, 0, 0};  // a 16 x 16 picture's file header
    auto middle = std::search(cases.back().begin() + 10, cases.back().end(), std::begin(picture), std::end(picture));
    ASSERT_NE(middle, cases.back().end());
    middle[14 + 14] = 7;  // biBitCount: no such depth
    CMemFile other;
    CArchive storing(&other, CArchive::store);
    CDIB notASprite;
    storing.WriteCount(2);
    storing.WriteObject(Order(list)[0]);
    storing.WriteObject(&notASprite);
    cases.push_back(other.Bytes());
    for (const std::vector<BYTE>& bytes : cases) {
        CMemFile file(bytes);
        CArchive archive(&file, CArchive::load);
        CSpriteList target;
        auto* kept = new CountedSprite;
        target.Insert(kept);
        target.Serialize(archive);
        ASSERT_TRUE(archive.IsBad()) << bytes.size();
        ASSERT_EQ(Order(target), std::vector<CSprite*>{kept});
    }
}
