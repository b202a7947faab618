// CDIB: pixel addresses, where reading stops, refused writes, blank pictures, palettes, and the rectangle copies.
#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "gfx/DIB.h"
#include "gfx/tests/BmpBuilder.h"
#include "platform/core/Palette.h"
#include "tests/support/MemFile.h"

TEST(DibRead, PixelAddressesAtEveryDepth) {
    // Bit count, width, height, x, y, and the offset from the bits (-1: no address).
    const std::tuple<WORD, LONG, LONG, int, int, std::ptrdiff_t> cases[] = {
        {8, 16, 16, 0, 0, 240}, {8, 16, 16, 15, 15, 15}, {24, 10, 10, 1, 0, 291}, {4, 9, 2, 5, 0, 8 + 2},
        {1, 13, 2, 9, 1, 1},    {16, 3, 2, 2, 0, 8 + 4}, {8, 16, 16, 16, 0, -1},  {8, 16, 16, 0, 16, -1},
        {8, 16, 16, -1, 0, -1}, {32, 2, 2, 0, 0, -1}};
    for (const auto& [bitCount, width, height, x, y, offset] : cases) {
        CDIB dib;
        ASSERT_TRUE(LoadBytes(dib, BuildBmp({.width = width, .height = height, .bitCount = bitCount})));
        const BYTE* address = dib.GetPixelAddress(x, y);
        EXPECT_EQ(address ? address - dib.GetBits() : -1, offset) << bitCount << " bits " << x << "," << y;
    }
}

TEST(DibRead, FileStandsAfterTheImage) {
    // At offset 100 of a larger file, with a gap after the header and a size field that covers trailing bytes.
    BmpSpec spec{.width = 3, .bitCount = 24, .offBits = 54 + 10, .fileSize = 54 + 10 + 24 + 6};
    std::vector<BYTE> bytes(100, 0xAB);
    const auto image = BuildBmp(spec);
    bytes.insert(bytes.end(), image.begin(), image.end());
    bytes.resize(bytes.size() + 50);
    CMemFile file(bytes);
    file.Seek(100, CFile::begin);
    CDIB dib;
    ASSERT_TRUE(dib.Load(&file));
    EXPECT_EQ(file.GetPosition(), 100u + 94);
    EXPECT_EQ(*dib.GetPixelAddress(0, 1), 1) << "pixels come from the offset, past the gap";
    // A size field too small for the pixels is not believed.
    spec.fileSize = 10;
    CMemFile small(BuildBmp(spec));
    ASSERT_TRUE(dib.Load(&small));
    EXPECT_EQ(small.GetPosition(), 54u + 10 + 24);
}

TEST(Dib, RefusedWrites) {
    for (const std::size_t limit : {std::size_t{5}, std::size_t{100}, std::size_t{1200}}) {
        CMemFile file;
        file.SetWriteLimit(limit);
        EXPECT_FALSE(CDIB().Save(&file)) << limit;
    }
}

std::vector<BYTE> PixelBytes(const CDIB& dib) {
    return std::vector<BYTE>(dib.GetBits(), dib.GetBits() + dib.BytesPerRow() * dib.ImageHeight());
}

std::vector<BYTE> ColourTableBytes(const RGBQUAD* table) {
    const auto* bytes = reinterpret_cast<const BYTE*>(table);
    return std::vector<BYTE>(bytes, bytes + sizeof(RGBQUAD) * kMaxColours);
}

// Blank pictures have rows padded to four bytes, every pixel 0.
TEST(Dib, CreateBlankPictures) {
    // Width, height, and the bytes of a row.
    const std::tuple<int, int, int> cases[] = {{1, 1, 4}, {10, 3, 12}, {16, 16, 16}};
    for (const auto& [width, height, bytesPerRow] : cases) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        CDIB dib;
        ASSERT_TRUE(dib.Create(width, height));
        EXPECT_EQ(dib.BytesPerRow(), bytesPerRow);
        EXPECT_EQ(PixelBytes(dib), std::vector<BYTE>(std::size_t(bytesPerRow * height), 0));
    }
}

// Mapping to a palette (white, black, red): indices at 4 and 8 bits, colours at 24 bits, become the nearest entry's;
// the colour table becomes the palette, zero behind it.  Other depths are refused and change nothing.
TEST(Dib, MapColorsToPaletteAtEachDepth) {
    const PALETTEENTRY whiteBlackRed[] = {{255, 255, 255, 0}, {0, 0, 0, 0}, {255, 0, 0, 0}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(whiteBlackRed, 3));
    // The pictures' own colours, in blue, green, red: nearly black, nearly red, nearly white, and one the palette's
    // three entries leave behind.
    const std::vector<RGBQUAD> colours = {{10, 10, 10, 0}, {20, 20, 230, 0}, {240, 250, 245, 0}, {1, 2, 3, 0}};
    struct Case {
        const char* what;
        WORD bitCount;
        LONG width;
        std::vector<BYTE> pixels;  // one row
        std::vector<BYTE> mapped;  // empty: refused
    };
    const Case cases[] = {
        {"8 bits: every index", 8, 4, {0, 1, 2, 0}, {1, 2, 0, 1}},
        {"4 bits: both halves, padding too", 4, 3, {0x01, 0x20, 0, 0}, {0x12, 0x01, 0x11, 0x11}},
        {"24 bits: not the padding", 24, 2, {10, 10, 10, 20, 20, 230, 9, 9}, {0, 0, 0, 0, 0, 255, 9, 9}},
        {"1 bit", 1, 4, {0x50, 0, 0, 0}, {}},
    };
    for (const Case& map : cases) {
        SCOPED_TRACE(map.what);
        const bool indexed = map.bitCount <= 8;
        CDIB dib;
        ASSERT_TRUE(LoadBytes(dib, BuildBmp({.width = map.width,
                                             .height = 1,
                                             .bitCount = map.bitCount,
                                             .clrUsed = indexed ? 4u : 0u,
                                             .colours = indexed ? colours : std::vector<RGBQUAD>{},
                                             .pixels = map.pixels})));
        const std::vector<BYTE> tableBefore = ColourTableBytes(dib.GetColorTable());
        EXPECT_EQ(dib.MapColorsToPalette(&palette) != FALSE, !map.mapped.empty());
        if (map.mapped.empty()) {
            EXPECT_EQ(PixelBytes(dib), map.pixels);
            EXPECT_EQ(ColourTableBytes(dib.GetColorTable()), tableBefore);
            continue;
        }
        EXPECT_EQ(PixelBytes(dib), map.mapped);
        RGBQUAD table[kMaxColours] = {{255, 255, 255, 0}, {0, 0, 0, 0}, {0, 0, 255, 0}};
        EXPECT_EQ(ColourTableBytes(dib.GetColorTable()), ColourTableBytes(table));
        EXPECT_EQ(dib.GetColorCount(), 3);
    }
}

// The rectangle copies against a pixel-by-pixel model of nearest-neighbour sampling, with rectangles that reach past
// both pictures.
namespace {

// Pixel values 0..9 and 255 in a pattern, so that a random transparent index often occurs.
void FillPattern(CDIB& dib, int seed) {
    for (int y = 0; y < dib.ImageHeight(); ++y)
        for (int x = 0; x < dib.ImageWidth(); ++x) {
            const int value = (x * 7 + y * 13 + seed) % 11;
            *dib.GetPixelAddress(x, y) = BYTE(value == 10 ? 255 : value);
        }
}

using Picture = std::vector<std::vector<BYTE>>;  // [y][x], top row first

Picture Read(const CDIB& dib) {
    Picture picture(std::size_t(dib.ImageHeight()), std::vector<BYTE>(std::size_t(dib.ImageWidth())));
    for (int y = 0; y < dib.ImageHeight(); ++y)
        for (int x = 0; x < dib.ImageWidth(); ++x) picture[std::size_t(y)][std::size_t(x)] = *dib.GetPixelAddress(x, y);
    return picture;
}

bool Inside(const Picture& picture, long x, long y) {
    return x >= 0 && y >= 0 && y < long(picture.size()) && x < long(picture[0].size());
}

// What a nearest-neighbour copy gives, one pixel at a time: destination pixel (xd + column, yd + row) takes
// source pixel (xs + column * ws / wd, ys + row * hs / hd) where both exist.
Picture Expected(const Picture& source, Picture target, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                 COLORREF transparent) {
    for (int row = 0; row < hd; ++row) {
        for (int column = 0; column < wd; ++column) {
            const long sourceX = xs + long(column) * ws / wd;
            const long sourceY = ys + long(row) * hs / hd;
            if (!Inside(target, xd + column, yd + row) || !Inside(source, sourceX, sourceY)) continue;
            const BYTE value = source[std::size_t(sourceY)][std::size_t(sourceX)];
            if (transparent == kNoTransparentColour || value != BYTE(transparent & 0xFF))
                target[std::size_t(yd + row)][std::size_t(xd + column)] = value;
        }
    }
    return target;
}

struct CopyFixture : testing::Test {
    CDIB source;
    CDIB target;
    void SetUp() override {
        source.Create(13, 9);
        FillPattern(source, 0);
        target.Create(17, 11);
        FillPattern(target, 5);
    }
};

}  // namespace

TEST_F(CopyFixture, AllCopiesAgreeWithPixelByPixelSamplingAndClip) {
    std::mt19937 random(2024);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    // The destination size of each kind of copy: the source's, twice the source's, or any.
    const auto destinationSide = [&](int kind, int sourceSide, int largest) {
        if (kind == 0) return sourceSide;
        if (kind == 1) return 2 * sourceSide;
        return pick(1, largest);
    };
    for (int round = 0; round < 3000; ++round) {
        const int kind = round % 3;
        const int ws = pick(1, 16);
        const int hs = pick(1, 12);
        const int wd = destinationSide(kind, ws, 30);
        const int hd = destinationSide(kind, hs, 24);
        const int xd = pick(-20, 20);
        const int yd = pick(-14, 14);
        const int xs = pick(-15, 15);
        const int ys = pick(-10, 10);
        // Only the low byte names the index; 255 is an index like any other.
        const int index = pick(0, 10) == 10 ? 255 : pick(0, 9);
        const COLORREF transparent = pick(0, 1) ? kNoTransparentColour : COLORREF(pick(0, 254)) << 24 | COLORREF(index);
        const Picture expected = Expected(Read(source), Read(target), xd, yd, wd, hd, xs, ys, ws, hs, transparent);
        if (kind == 0) source.CopyRectTo(&target, xd, yd, ws, hs, xs, ys, transparent);
        if (kind == 1) source.DoubleRectTo(&target, xd, yd, xs, ys, ws, hs, transparent);
        if (kind == 2) source.StretchRectTo(&target, xd, yd, wd, hd, xs, ys, ws, hs, transparent);
        ASSERT_EQ(Read(target), expected) << "kind " << kind << " dest " << xd << "," << yd << " " << wd << "x" << hd
                                          << " src " << xs << "," << ys << " " << ws << "x" << hs;
        FillPattern(target, round);
    }
}

TEST_F(CopyFixture, EmptyCopiesChangeNothing) {
    const Picture before = Read(target);
    source.CopyRectTo(&target, 0, 0, 0, 5, 0, 0, kNoTransparentColour);
    source.DoubleRectTo(&target, 0, 0, 0, 0, 0, 3, kNoTransparentColour);
    EXPECT_EQ(Read(target), before);
}
