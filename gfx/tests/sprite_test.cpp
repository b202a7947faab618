#include <gtest/gtest.h>

#include <memory>

#include "gfx/PhasedSprite.h"
#include "gfx/tests/BmpBuilder.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/Trace.h"

namespace {

// A sprite picture whose pixel (x, y) is value(x, y), with the transparent
// index taken from it as a load would.
template <typename Sprite, typename Value>
std::unique_ptr<Sprite> MakeSprite(int width, int height, Value value) {
    auto sprite = std::make_unique<Sprite>();
    sprite->Create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) *sprite->GetPixelAddress(x, y) = static_cast<BYTE>(value(x, y));
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

struct Change {
    UINT code;
    CRect first;
    std::optional<CRect> second;
    friend bool operator==(const Change&, const Change&) = default;
};

struct RecordingListener : CSpriteListener {
    std::vector<Change> changes;
    void OnSpriteChanged(CSprite*, UINT change, const CRect& first, const CRect* second) override {
        changes.push_back({change, first, second ? std::optional<CRect>(*second) : std::nullopt});
    }
};

}  // namespace

TEST(Sprite, HitTestExcludesTheLeftColumnAndTopRow) {
    auto sprite = MakeSprite<CSprite>(80, 40, [](int, int) { return 0; });
    sprite->SetPosition(40, 80);
    CRect rect;
    sprite->GetRect(&rect);
    EXPECT_EQ(rect, CRect(40, 80, 120, 120));
    for (CPoint hit : {CPoint(41, 81), CPoint(119, 119)}) EXPECT_TRUE(sprite->HitTest(hit)) << hit.x;
    for (CPoint miss : {CPoint(40, 100), CPoint(60, 80), CPoint(120, 100), CPoint(60, 120)})
        EXPECT_FALSE(sprite->HitTest(miss)) << miss.x << "," << miss.y;
}

TEST(Sprite, RenderClipsAndLeavesOutTheTopLeftIndex) {
    // Top-left index 3; index 0 elsewhere is drawn like any other.
    auto sprite = MakeSprite<CSprite>(20, 10, [](int x, int y) {
        return (x == 0 && y == 0) || (x + y) % 4 == 3 ? 3 : (x * y) % 5;
    });
    auto canvas = Canvas(30, 20, 9);
    sprite->SetPosition(-10, 0);
    const CRect clip(0, 0, 360, 360);
    sprite->Render(canvas.get(), &clip);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool covered = x < 10 && y < 10;
            const BYTE source = covered ? At(*sprite, x + 10, y) : 3;
            ASSERT_EQ(At(*canvas, x, y), source == 3 ? 9 : source) << x << "," << y;
        }

    // Without a clip the destination's own edges clip.
    canvas = Canvas(30, 20, 9);
    sprite->SetPosition(25, 15);
    sprite->Render(canvas.get(), nullptr);
    EXPECT_EQ(At(*canvas, 29, 19), At(*sprite, 4, 4) == 3 ? 9 : At(*sprite, 4, 4));
    EXPECT_EQ(At(*canvas, 24, 19), 9);

    // A clip that misses the sprite draws nothing.
    canvas = Canvas(30, 20, 9);
    const CRect away(0, 0, 20, 10);
    sprite->Render(canvas.get(), &away);
    EXPECT_TRUE(std::all_of(canvas->GetBits(), canvas->GetBits() + 32 * 20, [](BYTE b) { return b == 9; }));
}

TEST(Sprite, NotifiesTheListener) {
    auto sprite = MakeSprite<CSprite>(4, 3, [](int, int) { return 1; });
    RecordingListener listener;
    sprite->SetListener(&listener);
    sprite->SetZ(0);  // unchanged: no call
    sprite->SetPosition(0, 0);  // unchanged, still a call
    sprite->SetPosition(5, 6);
    sprite->SetZ(2);
    const std::vector<Change> expected = {
        {SPRITE_CHANGED_POSITION, CRect(0, 0, 4, 3), CRect(0, 0, 4, 3)},
        {SPRITE_CHANGED_POSITION, CRect(0, 0, 4, 3), CRect(5, 6, 9, 9)},
        {SPRITE_CHANGED_Z, CRect(5, 6, 9, 9), std::nullopt},
    };
    EXPECT_EQ(listener.changes, expected);
}

TEST(Sprite, PaletteMappingRereadsTheTransparentIndex) {
    // Index 5 (top-left) becomes index 1 of the palette, index 7 becomes 0.
    auto sprite = MakeSprite<CSprite>(2, 1, [](int x, int) { return x == 0 ? 5 : 7; });
    const RGBQUAD five = sprite->GetColorTable()[5];
    const PALETTEENTRY entries[] = {{7, 7, 7, 0}, {five.rgbRed, five.rgbGreen, five.rgbBlue, 0}};
    CPalette palette;
    palette.CreatePalette(entries, 2);
    ASSERT_TRUE(sprite->MapColorsToPalette(&palette));
    auto canvas = Canvas(2, 1, 9);
    sprite->Render(canvas.get(), nullptr);
    EXPECT_EQ(At(*canvas, 0, 0), 9) << "the new transparent index 1 is left out";
    EXPECT_EQ(At(*canvas, 1, 0), 0);
}

TEST(PhasedSprite, ShowsAndHitTestsTheCurrentCell) {
    // Two 40 x 40 cells side by side: the left one transparent (index 0)
    // in its top half, the right one solid.
    auto sprite = MakeSprite<CPhasedSprite>(80, 40, [](int x, int y) { return x < 40 ? (y < 20 ? 0 : 1) : x; });
    ASSERT_TRUE(sprite->SetNumCellColumns(2));
    ASSERT_TRUE(sprite->SetNumCellRows(1));
    sprite->SetPosition(120, 40);
    CRect rect;
    sprite->GetRect(&rect);
    EXPECT_EQ(rect, CRect(120, 40, 160, 80));
    EXPECT_FALSE(sprite->HitTest(CPoint(130, 45))) << "over a transparent pixel of cell 0";
    EXPECT_TRUE(sprite->HitTest(CPoint(130, 70)));

    RecordingListener listener;
    sprite->SetListener(&listener);
    EXPECT_TRUE(sprite->SetCellColumn(1));
    EXPECT_FALSE(sprite->SetCellColumn(1));
    EXPECT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].code, SPRITE_CHANGED_CELL);
    EXPECT_TRUE(sprite->HitTest(CPoint(130, 45)));

    auto board = Canvas(360, 360, 200);
    const CRect clip(0, 0, 360, 360);
    sprite->Render(board.get(), &clip);
    for (int x = 0; x < 40; ++x) EXPECT_EQ(At(*board, 120 + x, 40), 40 + x);
    EXPECT_EQ(At(*board, 160, 40), 200);
}

TEST(PhasedSprite, RefusesImpossibleGrids) {
    auto sprite = MakeSprite<CPhasedSprite>(80, 40, [](int x, int y) { return x + y == 0 ? 0 : 1; });
    TraceCapture trace;
    EXPECT_FALSE(sprite->SetNumCellColumns(0));
    EXPECT_FALSE(sprite->SetNumCellColumns(81));
    EXPECT_FALSE(sprite->SetNumCellRows(-1));
    EXPECT_EQ(sprite->GetWidth(), 80);
    ASSERT_TRUE(sprite->SetNumCellColumns(80));
    EXPECT_EQ(sprite->GetWidth(), 1);
    ASSERT_TRUE(sprite->SetNumCellColumns(3));
    EXPECT_EQ(sprite->GetWidth(), 26);
    ASSERT_TRUE(sprite->SetCellColumn(2));
    EXPECT_FALSE(sprite->SetCellColumn(3));
    EXPECT_FALSE(sprite->SetCellColumn(-1));
    EXPECT_EQ(sprite->GetCellColumn(), 2);
    EXPECT_FALSE(sprite->SetCellRow(1));
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{"Invalid number of columns", "Can't make them that small",
                                                        "Invalid number of rows", "Invalid column",
                                                        "Invalid column", "Invalid row"}));
    // Cell 2 is picture columns 52 to 77; 78 and 79 belong to no cell.
    auto board = Canvas(100, 10, 9);
    const CRect clip(0, 0, 100, 10);
    sprite->Render(board.get(), &clip);
    EXPECT_EQ(At(*board, 25, 0), 1);
    EXPECT_EQ(At(*board, 26, 0), 9);
}

TEST(PhasedSprite, LoadResetsTheGrid) {
    auto sprite = MakeSprite<CPhasedSprite>(80, 40, [](int, int) { return 1; });
    sprite->SetNumCellColumns(2);
    sprite->SetCellColumn(1);
    BmpSpec spec;
    spec.width = 30;
    spec.height = 12;
    CMemFile file(BuildBmp(spec));
    ASSERT_TRUE(sprite->Load(&file));
    EXPECT_EQ(sprite->GetNumCellColumns(), 1);
    EXPECT_EQ(sprite->GetCellColumn(), 0);
    EXPECT_EQ(sprite->GetWidth(), 30);
    EXPECT_EQ(sprite->GetHeight(), 12);
}

TEST(PhasedSprite, ArchiveKeepsPositionGridAndCell) {
    auto sprite = MakeSprite<CPhasedSprite>(80, 40, [](int x, int y) { return x == 0 && y == 0 ? 4 : x % 7; });
    sprite->SetNumCellColumns(2);
    sprite->SetCellColumn(1);
    sprite->SetPosition(7, 8);
    sprite->SetZ(-3);
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        archive.WriteObject(sprite.get());
        archive << std::int32_t{12345};
    }
    file.SeekToBegin();
    CArchive archive(&file, CArchive::load);
    std::unique_ptr<CObject> object(archive.ReadObject(RUNTIME_CLASS(CSprite)));
    auto* copy = dynamic_cast<CPhasedSprite*>(object.get());
    ASSERT_NE(copy, nullptr);
    std::int32_t trailing = 0;
    archive >> trailing;
    EXPECT_EQ(trailing, 12345);
    EXPECT_EQ((std::vector<int>{copy->GetX(), copy->GetY(), copy->GetZ(), copy->GetNumCellColumns(),
                                copy->GetCellColumn(), copy->GetWidth()}),
              (std::vector<int>{7, 8, -3, 2, 1, 40}));
    // The transparent index was taken again: pixel 0 of cell 1 is index 40 % 7 = 5, drawn; index 4 is not.
    *copy->GetPixelAddress(41, 0) = 4;
    auto canvas = Canvas(50, 50, 9);
    copy->Render(canvas.get(), nullptr);
    EXPECT_EQ(At(*canvas, 7, 8), 5);
    EXPECT_EQ(At(*canvas, 8, 8), 9);
}
