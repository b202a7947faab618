// CDIB: reading, writing and blank images.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/DIB.h"
#include "gfx/DibToRgb.h"
#include "gfx/tests/BmpBuilder.h"
#include "tests/support/CoreSupport.h"

namespace {

// A picture unlike any test file, to see that a failed operation keeps it.
struct PriorImage {
    CDIB dib;
    std::vector<BYTE> rgb;
    PriorImage() {
        dib.Create(3, 2);
        *dib.GetPixelAddress(2, 1) = 7;
        rgb = DibToRgb(dib);
    }
    void ExpectIntact() const {
        EXPECT_EQ(dib.ImageWidth(), 3);
        EXPECT_EQ(DibToRgb(dib), rgb);
    }
};

std::vector<BYTE> Saved(const CDIB& dib) {
    CMemFile file;
    EXPECT_TRUE(dib.Save(&file));
    return file.Bytes();
}

std::vector<BYTE> Pixels(const CDIB& dib) {
    return {dib.GetBits(), dib.GetBits() + dib.BytesPerRow() * dib.ImageHeight()};
}

DWORD Le32(const std::vector<BYTE>& bytes, std::size_t offset) { return ReadLe32(bytes.data() + offset); }

}  // namespace

TEST(DibRead, PixelAddressesAtEveryDepth) {
    struct Case {
        WORD bitCount;
        LONG width, height;
        int x, y;
        std::ptrdiff_t offset;  // -1: no address
    };
    const Case cases[] = {{8, 16, 16, 0, 0, 240}, {8, 16, 16, 15, 15, 15}, {24, 10, 10, 1, 0, 291},
                          {4, 9, 2, 5, 0, 8 + 2}, {1, 13, 2, 9, 1, 1},     {16, 3, 2, 2, 0, 8 + 4},
                          {8, 16, 16, 16, 0, -1}, {8, 16, 16, 0, 16, -1},  {8, 16, 16, -1, 0, -1},
                          {32, 2, 2, 0, 0, -1}};
    for (const Case& c : cases) {
        CDIB dib;
        ASSERT_TRUE(LoadBytes(dib, BuildBmp({.width = c.width, .height = c.height, .bitCount = c.bitCount})));
        const BYTE* address = dib.GetPixelAddress(c.x, c.y);
        EXPECT_EQ(address ? address - dib.GetBits() : -1, c.offset) << c.bitCount << " bits " << c.x << "," << c.y;
    }
}

TEST(DibRead, MalformedFilesFailAndKeepThePreviousImage) {
    const auto with = [](const std::function<void(BmpSpec&)>& change) {
        BmpSpec spec;
        change(spec);
        return BuildBmp(spec);
    };
    const auto cut = [](std::vector<BYTE> bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    const std::vector<BYTE> valid = BuildBmp({});
    const std::tuple<const char*, std::vector<BYTE>, const char*> cases[] = {
        {"empty", {}, "Failed to read file header"},
        {"13 bytes", cut(valid, 13), "Failed to read file header"},
        {"magic", with([](BmpSpec& s) { s.type = 0x424D; }), "Not a bitmap file"},
        {"14 bytes", cut(valid, 14), "Failed to read BITMAPINFOHEADER"},
        {"header 108", with([](BmpSpec& s) { s.headerSize = 108; }), " File is not Windows or PM DIB format"},
        {"width 0", with([](BmpSpec& s) { s.width = 0; }), "Invalid DIB width"},
        {"height 0", with([](BmpSpec& s) { s.height = 0; }), "Invalid DIB height"},
        {"top-down", with([](BmpSpec& s) { s.height = -2; }), "Top-down DIB not supported"},
        {"RLE", with([](BmpSpec& s) { s.compression = 1; }), "Compressed DIB not supported"},
        {"2 bits", with([](BmpSpec& s) { s.bitCount = 2; }), "Unsupported DIB bit count"},
        {"OS/2 2 bits", with([](BmpSpec& s) { s.core = true, s.bitCount = 2, s.width = 100; }),
         "Unsupported DIB bit count"},
        {"24 bits, 300 colours", with([](BmpSpec& s) { s.bitCount = 24, s.clrUsed = 300; }), "Too many colors for DIB"},
        {"over 256 MiB", with([](BmpSpec& s) { s.width = 65536, s.height = 4097, s.pixels = {1}; }), "DIB too large"},
        {"table short", cut(valid, 54 + 1000), "Failed to read color table"},
        {"OS/2 table short", cut(with([](BmpSpec& s) { s.core = true; }), 26 + 3 * 255 + 2), "Failed to read RGBTRIPLE"},
        {"pixels short", cut(valid, 1078 + 7), "Failed to read bits"},
        {"offset past end", with([](BmpSpec& s) { s.offBits = 0xFFFFFFF0u; }), "Failed to read bits"},
    };
    for (const auto& [name, bytes, text] : cases) {
        PriorImage prior;
        const CTraceCapture trace;
        EXPECT_FALSE(LoadBytes(prior.dib, bytes)) << name;
        EXPECT_TRUE(trace.Contains(text)) << name;
        prior.ExpectIntact();
    }
}

TEST(DibRead, FileStandsAfterTheImage) {
    // At offset 100 of a larger file, with a gap after the header and a size
    // field that covers trailing bytes.
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
    CDibResources resources;
    resources.Add(0x10007, BuildBmp({.width = 5}));  // only the low 16 bits count
    resources.Add(8, BuildBmp({.bitCount = 24}));
    auto truncated = BuildBmp({});
    truncated.pop_back();
    resources.Add(9, truncated);
    CDIB dib;
    ASSERT_TRUE(dib.Load(WORD{7}));
    EXPECT_EQ(dib.ImageWidth(), 5);
    EXPECT_EQ(dib.GetColorTable()[3].rgbRed, 252);
    EXPECT_EQ(*dib.GetPixelAddress(0, 1), 1);
    for (WORD refused : {WORD{8}, WORD{9}, WORD{10}}) {
        PriorImage prior;
        EXPECT_FALSE(prior.dib.Load(refused)) << refused;
        prior.ExpectIntact();
    }
}

TEST(DibWrite, NewImageLayout) {
    const std::vector<BYTE> bytes = Saved(CDIB());
    ASSERT_EQ(bytes.size(), 1334u);
    EXPECT_EQ((std::vector<DWORD>{Le32(bytes, 0) & 0xFFFF, Le32(bytes, 2), Le32(bytes, 6), Le32(bytes, 10),
                                  Le32(bytes, 14), Le32(bytes, 14 + 32)}),
              (std::vector<DWORD>{0x4D42, 1334, 0, 1078, 40, 0}));
    for (std::size_t i = 0; i < 256; ++i) ASSERT_EQ(Le32(bytes, 54 + 4 * i), i * 0x010101) << i;
    EXPECT_TRUE(std::all_of(bytes.begin() + 1078, bytes.end(), [](BYTE b) { return b == 0; }));
    CDIB dib;
    ASSERT_TRUE(LoadBytes(dib, BuildBmp({.width = 10, .height = 10, .bitCount = 24})));
    EXPECT_EQ(Saved(dib).size(), 1398u) << "the table region is written even without colours";
}

TEST(DibWrite, EachFailedWriteIsNamed) {
    const std::pair<std::size_t, const char*> cases[] = {
        {5, "Failed to write file header"}, {100, "Failed to write BITMAPINFO"}, {1200, "Failed to write bits"}};
    for (const auto& [limit, text] : cases) {
        CMemFile file;
        file.SetWriteLimit(limit);
        const CTraceCapture trace;
        EXPECT_FALSE(CDIB().Save(&file));
        EXPECT_EQ(trace.Lines(), std::vector<std::string>{text});
    }
}

TEST(Dib, BlankImages) {
    const CDIB fresh;
    EXPECT_EQ(fresh.GetColorCount(), 256);
    EXPECT_EQ(fresh.GetColorTable()[200].rgbRed, 200);
    EXPECT_EQ(Pixels(fresh), std::vector<BYTE>(256, 0));
    CDIB dib;
    const std::vector<PALETTEENTRY> entries(20, {100, 5, 6, 0});
    CPalette palette;
    palette.CreatePalette(entries.data(), 20);
    ASSERT_TRUE(dib.Create(8, 8, &palette));
    EXPECT_EQ(dib.GetColorCount(), 20);
    EXPECT_EQ(dib.GetColorTable()[19].rgbRed, 100);
    EXPECT_EQ(dib.GetColorTable()[20].rgbRed, 20) << "past the palette the grey ramp stays";
    for (auto [width, height] : {std::pair(0, 5), std::pair(5, -1), std::pair(70000, 70000)}) {
        EXPECT_FALSE(dib.Create(width, height));
        EXPECT_EQ(dib.ImageWidth(), 8) << "a refused size keeps the image";
    }
}

