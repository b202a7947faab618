#include <gtest/gtest.h>

#include <memory>

#include "gfx/DIB.h"
#include "gfx/tests/BmpBuilder.h"
#include "platform/core/Trace.h"

namespace {

std::unique_ptr<CPalette> MakePalette(const std::vector<PALETTEENTRY>& entries) {
    auto palette = std::make_unique<CPalette>();
    palette->CreatePalette(entries.data(), int(entries.size()));
    return palette;
}

std::vector<BYTE> Pixels(const CDIB& dib) {
    return {dib.GetBits(), dib.GetBits() + dib.BytesPerRow() * dib.ImageHeight()};
}

}  // namespace

TEST(Dib, BlankImages) {
    const CDIB fresh;
    EXPECT_EQ(fresh.GetColorCount(), 256);
    EXPECT_EQ(fresh.GetColorTable()[200].rgbRed, 200);
    EXPECT_EQ(Pixels(fresh), std::vector<BYTE>(256, 0));

    CDIB dib;
    ASSERT_TRUE(dib.Create(10, 3));
    EXPECT_EQ(Pixels(dib).size(), 36u);
    std::vector<PALETTEENTRY> entries(20, {100, 5, 6, 0});
    ASSERT_TRUE(dib.Create(8, 8, MakePalette(entries).get()));
    EXPECT_EQ(dib.GetColorCount(), 20);
    EXPECT_EQ(dib.GetColorTable()[19].rgbRed, 100);
    EXPECT_EQ(dib.GetColorTable()[20].rgbRed, 20) << "past the palette the grey ramp stays";
    for (auto [width, height] : {std::pair(0, 5), std::pair(5, -1), std::pair(70000, 70000)}) {
        EXPECT_FALSE(dib.Create(width, height));
        EXPECT_EQ(dib.ImageWidth(), 8) << "a refused size keeps the image";
    }
}

TEST(Dib, AdoptsAPackedImageWithoutOwningIt) {
    // Header, 3 colour entries, then the pixels.
    std::vector<BYTE> block(40 + 3 * 4 + 8 + 1024);
    auto* packed = reinterpret_cast<BITMAPINFO*>(block.data());
    packed->bmiHeader = {40, 4, 2, 1, 8, 0, 0, 0, 0, 3, 0};
    packed->bmiColors[2] = {1, 2, 3, 0};
    packed->bmiColors[3] = {9, 9, 9, 9};  // really the first pixel bytes
    CDIB dib;
    ASSERT_TRUE(dib.Create(packed));
    EXPECT_EQ(dib.GetBits(), block.data() + 52);
    EXPECT_EQ(dib.GetColorTable()[2].rgbRed, 3);
    EXPECT_EQ(dib.GetColorTable()[3].rgbRed, 0) << "entries past the count are not copied";
    ASSERT_TRUE(dib.Create(4, 4));  // must not free the block's pixels
    packed->bmiHeader.biBitCount = 24;
    packed->bmiHeader.biClrUsed = 300;
    EXPECT_FALSE(dib.Create(packed)) << "more colours than the block holds";
}

TEST(Dib, MapsColoursToAPalette) {
    CDIB dib;
    ASSERT_TRUE(LoadBytes(dib, BuildBmp({.width = 6, .pixels = {0, 1, 2, 3, 200, 0, 0, 0, 3, 2, 1, 0, 9, 9, 0, 0}})));
    std::vector<PALETTEENTRY> firstFour;
    for (int i = 0; i < 4; ++i) firstFour.push_back({BYTE(255 - i), BYTE(2 * i), BYTE(i), 0});
    ASSERT_TRUE(dib.MapColorsToPalette(MakePalette(firstFour).get()));
    EXPECT_EQ(Pixels(dib), (std::vector<BYTE>{0, 1, 2, 3, 3, 0, 0, 0, 3, 2, 1, 0, 3, 3, 0, 0}));
    EXPECT_EQ(dib.GetBitmapInfo()->bmiHeader.biClrUsed, 4u);
    EXPECT_EQ(dib.GetColorTable()[4].rgbRed + dib.GetColorTable()[255].rgbBlue, 0);

    // 4 bits: both nibbles of every byte; colours 1 and 2 swap places.
    ASSERT_TRUE(LoadBytes(dib, BuildBmp({.bitCount = 4, .pixels = {0x12, 0x30, 0, 0, 0x21, 0x03, 0, 0}})));
    std::swap(firstFour[1], firstFour[2]);
    ASSERT_TRUE(dib.MapColorsToPalette(MakePalette(firstFour).get()));
    EXPECT_EQ(Pixels(dib), (std::vector<BYTE>{0x21, 0x30, 0, 0, 0x12, 0x03, 0, 0}));

    // 24 bits: the pixels take the nearest palette colour; row padding stays.
    ASSERT_TRUE(LoadBytes(dib, BuildBmp({.width = 2, .height = 1, .bitCount = 24,
                                         .pixels = {10, 10, 250, 240, 240, 240, 7, 7}})));
    const auto redWhite = MakePalette({{255, 0, 0, 0}, {255, 255, 255, 0}});
    ASSERT_TRUE(dib.MapColorsToPalette(redWhite->GetSafeHandle()));
    EXPECT_EQ(Pixels(dib), (std::vector<BYTE>{0, 0, 255, 255, 255, 255, 7, 7}));
}

TEST(Dib, UnmappableImagesStayUnchanged) {
    const auto seventeen = MakePalette(std::vector<PALETTEENTRY>(17));
    for (WORD bitCount : {WORD{1}, WORD{4}, WORD{32}}) {
        CDIB dib;
        ASSERT_TRUE(LoadBytes(dib, BuildBmp({.bitCount = bitCount})));
        const std::vector<BYTE> pixels = Pixels(dib);
        const BYTE red = dib.GetColorTable()[0].rgbRed;
        EXPECT_FALSE(dib.MapColorsToPalette(seventeen.get())) << bitCount;
        EXPECT_EQ(Pixels(dib), pixels);
        EXPECT_EQ(dib.GetColorTable()[0].rgbRed, red);
    }
    CDIB dib;
    CPalette never;
    TraceCapture trace;
    EXPECT_FALSE(dib.MapColorsToPalette(static_cast<CPalette*>(nullptr)));
    EXPECT_FALSE(dib.MapColorsToPalette(&never));
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{"No palette to map to", "Failed to get num pal colors"}));
}
