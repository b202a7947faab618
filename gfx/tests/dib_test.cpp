#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gfx/DIB.h"
#include "gfx/tests/BmpBuilder.h"
#include "platform/core/MemFile.h"
#include "platform/core/Trace.h"

namespace {

std::unique_ptr<CPalette> MakePalette(const std::vector<PALETTEENTRY>& entries) {
    auto palette = std::make_unique<CPalette>();
    palette->CreatePalette(entries.data(), static_cast<int>(entries.size()));
    return palette;
}

// The first n colours of a picture's table, as palette entries.
std::vector<PALETTEENTRY> FirstColours(const CDIB& dib, int count) {
    std::vector<PALETTEENTRY> entries;
    for (int i = 0; i < count; ++i) {
        const RGBQUAD& c = dib.GetColorTable()[i];
        entries.push_back(PALETTEENTRY{c.rgbRed, c.rgbGreen, c.rgbBlue, 0});
    }
    return entries;
}

std::vector<BYTE> Pixels(const CDIB& dib) {
    const std::size_t size = static_cast<std::size_t>(dib.BytesPerRow() * dib.ImageHeight());
    return {dib.GetBits(), dib.GetBits() + size};
}

std::unique_ptr<CDIB> Loaded(const BmpSpec& spec) {
    auto dib = std::make_unique<CDIB>();
    CMemFile file(BuildBmp(spec));
    EXPECT_TRUE(dib->Load(&file));
    return dib;
}

}  // namespace

TEST(Dib, BlankImages) {
    const CDIB fresh;
    EXPECT_EQ(fresh.ImageWidth(), 16);
    EXPECT_EQ(fresh.ImageHeight(), 16);
    EXPECT_EQ(fresh.BytesPerRow(), 16);
    EXPECT_EQ(fresh.GetColorCount(), 256);
    const RGBQUAD grey = fresh.GetColorTable()[200];
    EXPECT_EQ((std::vector<int>{grey.rgbBlue, grey.rgbGreen, grey.rgbRed, grey.rgbReserved}),
              (std::vector<int>{200, 200, 200, 0}));
    EXPECT_EQ(Pixels(fresh), std::vector<BYTE>(256, 0));

    CDIB dib;
    ASSERT_TRUE(dib.Create(10, 3));
    EXPECT_EQ(dib.BytesPerRow(), 12);
    EXPECT_EQ(Pixels(dib).size(), 36u);
    ASSERT_TRUE(dib.Create(1, 1));
    EXPECT_EQ(Pixels(dib).size(), 4u);

    std::vector<PALETTEENTRY> entries(20);
    for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = {BYTE(100 + i), 5, 6, 0};
    const auto palette = MakePalette(entries);
    ASSERT_TRUE(dib.Create(8, 8, palette.get()));
    EXPECT_EQ(dib.GetColorCount(), 20);
    EXPECT_EQ(dib.GetColorTable()[19].rgbRed, 119);
    EXPECT_EQ(dib.GetColorTable()[19].rgbBlue, 6);
    EXPECT_EQ(dib.GetColorTable()[20].rgbRed, 20) << "past the palette the grey ramp stays";

    // Impossible sizes are refused and the image stays.
    const std::pair<int, int> sizes[] = {{0, 5}, {5, -1}, {70000, 70000}};
    for (auto [width, height] : sizes) {
        EXPECT_FALSE(dib.Create(width, height));
        EXPECT_EQ(dib.ImageWidth(), 8);
    }
}

TEST(Dib, AdoptsHeadersAndPackedImages) {
    // A packed 4 x 2 image with 3 colours: header, 3 entries, 8 pixel bytes.
    std::vector<BYTE> block(40 + 3 * 4 + 8 + 1024);
    auto* packed = reinterpret_cast<BITMAPINFO*>(block.data());
    packed->bmiHeader = BITMAPINFOHEADER{40, 4, 2, 1, 8, 0, 0, 0, 0, 3, 0};
    packed->bmiColors[2] = RGBQUAD{1, 2, 3, 0};
    packed->bmiColors[3] = RGBQUAD{9, 9, 9, 9};  // the first pixel bytes in the block
    CDIB dib;
    ASSERT_TRUE(dib.Create(packed));
    EXPECT_EQ(dib.GetBits(), block.data() + 52);
    EXPECT_EQ(dib.GetColorTable()[2].rgbRed, 3);
    EXPECT_EQ(dib.GetColorTable()[3].rgbRed, 0) << "entries past the count are not copied";
    // The object does not free the block's pixels (the sanitizer would tell).
    ASSERT_TRUE(dib.Create(4, 4));

    packed->bmiHeader.biBitCount = 24;
    packed->bmiHeader.biClrUsed = 300;
    EXPECT_FALSE(dib.Create(packed)) << "a table larger than the block holds";
}

TEST(Dib, MapsColoursToAPalette) {
    BmpSpec spec;
    spec.width = 6;
    spec.pixels = {0, 1, 2, 3, 200, 255, 0, 0, 3, 2, 1, 0, 9, 9, 0, 0};
    const auto loaded = Loaded(spec);
    CDIB& dib = *loaded;
    const std::vector<BYTE> before = Pixels(dib);
    ASSERT_TRUE(dib.MapColorsToPalette(MakePalette(FirstColours(dib, 4)).get()));
    EXPECT_EQ(dib.GetBitmapInfo()->bmiHeader.biClrUsed, 4u);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(*dib.GetPixelAddress(x, 1), before[std::size_t(x)]);
    EXPECT_EQ(dib.GetColorTable()[4].rgbRed, 0);
    EXPECT_EQ(dib.GetColorTable()[255].rgbBlue, 0);
    // Index 200 (blue 200, green 144, red 55) lands on the nearest of the four.
    EXPECT_EQ(*dib.GetPixelAddress(4, 1), 3);

    // A 24-bit picture takes the palette's colours in its pixels.
    spec = BmpSpec{};
    spec.bitCount = 24;
    spec.width = 2;
    spec.height = 1;
    spec.pixels = {10, 10, 250, 240, 240, 240, 0, 0};
    const auto rgb = Loaded(spec);
    const auto redWhite = MakePalette({{255, 0, 0, 0}, {255, 255, 255, 0}});
    ASSERT_TRUE(rgb->MapColorsToPalette(redWhite->GetSafeHandle()));
    EXPECT_EQ(Pixels(*rgb), (std::vector<BYTE>{0, 0, 255, 255, 255, 255, 0, 0}));

    // Depths that cannot be mapped change nothing.
    spec = BmpSpec{};
    spec.bitCount = 1;
    const auto mono = Loaded(spec);
    spec.bitCount = 4;
    const auto nibbles = Loaded(spec);
    const auto big = MakePalette(std::vector<PALETTEENTRY>(17));
    for (CDIB* picture : {mono.get(), nibbles.get()}) {
        const std::vector<BYTE> pixels = Pixels(*picture);
        const RGBQUAD first = picture->GetColorTable()[0];
        EXPECT_FALSE(picture->MapColorsToPalette(big.get()));
        EXPECT_EQ(Pixels(*picture), pixels);
        EXPECT_EQ(picture->GetColorTable()[0].rgbRed, first.rgbRed);
    }
    TraceCapture trace;
    EXPECT_FALSE(dib.MapColorsToPalette(static_cast<CPalette*>(nullptr)));
    CPalette empty;
    EXPECT_FALSE(dib.MapColorsToPalette(&empty));
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{"No palette to map to", "Failed to get num pal colors"}));
}

TEST(Dib, FourBitMappingRewritesBothNibbles) {
    BmpSpec spec;
    spec.bitCount = 4;
    spec.pixels = {0x12, 0x30, 0, 0, 0x21, 0x03, 0, 0};
    const auto dib = Loaded(spec);
    // Colours 1 and 2 swap places; 0 and 3 stay.
    std::vector<PALETTEENTRY> entries = FirstColours(*dib, 4);
    std::swap(entries[1], entries[2]);
    ASSERT_TRUE(dib->MapColorsToPalette(MakePalette(entries).get()));
    EXPECT_EQ(Pixels(*dib), (std::vector<BYTE>{0x21, 0x30, 0, 0, 0x12, 0x03, 0, 0}));
}

TEST(Dib, SetsColoursFromAPalette) {
    CDIB dib;
    dib.GetColorTable()[1].rgbReserved = 77;
    ASSERT_TRUE(dib.SetColorsFromPalette(MakePalette({{1, 2, 3, 0}, {4, 5, 6, 0}}).get()));
    EXPECT_EQ(dib.GetColorCount(), 2);
    EXPECT_EQ(dib.GetColorTable()[1].rgbRed, 4);
    EXPECT_EQ(dib.GetColorTable()[1].rgbReserved, 77);
    EXPECT_EQ(dib.GetColorTable()[2].rgbRed, 2) << "the rest of the table is kept";
    EXPECT_FALSE(dib.SetColorsFromPalette(nullptr));
}

namespace {

struct RecordingDC : CDC {
    std::vector<int> call;
    const void* bits = nullptr;
    int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                      int srcWidth, int srcHeight, const void* pixels, const BITMAPINFO*, UINT usage,
                      DWORD rop) override {
        call = {xDest, yDest, destWidth, destHeight, xSrc, ySrc, srcWidth, srcHeight, int(usage), int(rop)};
        bits = pixels;
        return srcHeight;
    }
};

// Counts the handle-form calls, to see that the CDC* form goes through it.
struct CountingDib : CDIB {
    mutable int handleDraws = 0;
    using CDIB::Draw;
    int Draw(HDC deviceContext, int x, int y) const override {
        ++handleDraws;
        return CDIB::Draw(deviceContext, x, y);
    }
};

}  // namespace

TEST(Dib, DrawsTheWholeImageOneToOne) {
    CountingDib dib;
    dib.Create(7, 5);
    RecordingDC dc;
    EXPECT_EQ(dib.Draw(&dc, 120, 5), 5);
    EXPECT_EQ(dc.call, (std::vector<int>{120, 5, 7, 5, 0, 0, 7, 5, 0, 0xCC0020}));
    EXPECT_EQ(dc.bits, dib.GetBits());
    EXPECT_EQ(dib.handleDraws, 1);
    EXPECT_EQ(dib.Draw(static_cast<CDC*>(nullptr), 0, 0), 0);
}
