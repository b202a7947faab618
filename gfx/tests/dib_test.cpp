// CDIB: pixel addresses, where reading stops, resources, refused writes, blank pictures, colour counts and palettes.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "gfx/DIB.h"
#include "gfx/tests/BmpBuilder.h"
#include "platform/core/Palette.h"
#include "platform/core/Resources.h"
#include "tests/support/MemFile.h"

// These "DIB" resources for as long as the object lives (the table's friend).
class CDibResources {
public:
    explicit CDibResources(std::map<WORD, std::vector<BYTE>> entries) { CDibResourceTable::Entries() = entries; }
    ~CDibResources() { CDibResourceTable::Entries().clear(); }
};

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

TEST(DibRead, ResourcesAreCheckedAgainstTheirSize) {
    auto truncated = BuildBmp({});
    truncated.pop_back();
    const CDibResources resources({{7, BuildBmp({.width = 5})}, {8, BuildBmp({.bitCount = 24})}, {9, truncated}});
    CDIB dib;
    ASSERT_TRUE(dib.Load(WORD{7}));
    EXPECT_EQ(dib.ImageWidth(), 5);
    EXPECT_EQ(dib.GetColorTable()[3].rgbRed, 252);
    EXPECT_EQ(*dib.GetPixelAddress(0, 1), 1);
    for (WORD refused : {WORD{8}, WORD{9}, WORD{10}}) {
        EXPECT_FALSE(dib.Load(refused)) << refused;
        EXPECT_EQ(dib.ImageWidth(), 5) << "a refused resource keeps the image";
    }
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

// Blank pictures have rows padded to four bytes, every pixel 0; a size that cannot be made keeps the picture there was.
TEST(Dib, CreateBlankPictures) {
    // Width, height, and the bytes of a row; 0 when the size is refused.
    const std::tuple<int, int, int> cases[] = {{1, 1, 4}, {10, 3, 12}, {16, 16, 16},
                                               {0, 5, 0}, {5, -1, 0},  {70000, 70000, 0}};
    for (const auto& [width, height, bytesPerRow] : cases) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        CDIB dib;
        ASSERT_TRUE(dib.Create(8, 8));
        EXPECT_EQ(dib.Create(width, height) != FALSE, bytesPerRow != 0);
        if (bytesPerRow == 0) {
            EXPECT_EQ(dib.ImageWidth(), 8);
            continue;
        }
        EXPECT_EQ(dib.BytesPerRow(), bytesPerRow);
        EXPECT_EQ(PixelBytes(dib), std::vector<BYTE>(std::size_t(bytesPerRow * height), 0));
    }
}

// Colour-table entries in use: biClrUsed when set, within the depth's maximum.  A 12-byte core header keeps its bit
// count where the Windows header has the high half of biHeight, and has the depth's maximum whatever follows.
TEST(Dib, ColourEntriesByHeader) {
    // Header size, biHeight, bit count, biClrUsed; whether it is a Windows header, and the entries in use.
    const std::tuple<DWORD, LONG, WORD, DWORD, bool, int> cases[] = {
        {40, 1, 8, 0, true, 256},
        {40, 1, 8, 257, true, 256},
        {40, 1, 4, 3, true, 3},
        {40, 1, 24, 0, true, 0},
        {40, 1, 24, 20, true, 20},
        {124, 1, 1, 0, true, 2},
        {12, 8 << 16 | 1, 0, 7, false, 256},
        {12, 4 << 16 | 1, 0, 0, false, 16},
    };
    for (const auto& [size, height, bitCount, clrUsed, windows, entries] : cases) {
        SCOPED_TRACE(testing::Message() << size << "-byte header, height field " << height << ", " << bitCount
                                        << " bits");
        BITMAPINFO info{};
        info.bmiHeader = {.biSize = size, .biHeight = height, .biBitCount = bitCount, .biClrUsed = clrUsed};
        EXPECT_EQ(CDIB::IsWindowsHeader(&info.bmiHeader) != FALSE, windows);
        EXPECT_EQ(CDIB::CountColorEntries(&info), entries);
    }
}

// Mapping to a palette (white, black, red): indices at 4 and 8 bits, colours at 24 bits, become the nearest entry's;
// the colour table becomes the palette, zero behind it.  Other depths, and more entries than 4 bits can index, are
// refused and change nothing.
TEST(Dib, MapColorsToPaletteAtEachDepth) {
    const PALETTEENTRY whiteBlackRed[] = {{255, 255, 255, 0}, {0, 0, 0, 0}, {255, 0, 0, 0}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(whiteBlackRed, 3));
    const std::vector<PALETTEENTRY> blacks(17);
    CPalette seventeen;
    ASSERT_TRUE(seventeen.CreatePalette(blacks.data(), 17));
    // The pictures' own colours, in blue, green, red: nearly black, nearly red, nearly white, and one the palette's
    // three entries leave behind.
    const std::vector<RGBQUAD> colours = {{10, 10, 10, 0}, {20, 20, 230, 0}, {240, 250, 245, 0}, {1, 2, 3, 0}};
    struct Case {
        const char* what;
        WORD bitCount;
        LONG width;
        std::vector<BYTE> pixels;  // one row
        CPalette* palette;
        std::vector<BYTE> mapped;  // empty: refused
    };
    const Case cases[] = {
        {"8 bits: every index", 8, 4, {0, 1, 2, 0}, &palette, {1, 2, 0, 1}},
        {"4 bits: both halves, padding too", 4, 3, {0x01, 0x20, 0, 0}, &palette, {0x12, 0x01, 0x11, 0x11}},
        {"24 bits: not the padding", 24, 2, {10, 10, 10, 20, 20, 230, 9, 9}, &palette, {0, 0, 0, 0, 0, 255, 9, 9}},
        {"1 bit", 1, 4, {0x50, 0, 0, 0}, &palette, {}},
        {"4 bits, 17 entries", 4, 3, {0x01, 0x20, 0, 0}, &seventeen, {}},
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
        EXPECT_EQ(dib.MapColorsToPalette(map.palette) != FALSE, !map.mapped.empty());
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
