#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "gfx/DIB.h"
#include "gfx/DibToRgb.h"
#include "gfx/tests/BmpBuilder.h"
#include "platform/core/Dialogs.h"
#include "platform/core/MemFile.h"
#include "platform/core/Resources.h"
#include "platform/core/Trace.h"

namespace {

BOOL LoadBytes(CDIB& dib, std::vector<BYTE> bytes) {
    CMemFile file(std::move(bytes));
    return dib.Load(&file);
}

// A picture that no test file resembles, to see that a failed read keeps it.
struct PriorImage {
    CDIB dib;
    PriorImage() {
        dib.Create(3, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) *dib.GetPixelAddress(x, y) = static_cast<BYTE>(10 * y + x + 1);
        dib.GetColorTable()[1] = RGBQUAD{9, 8, 7, 0};
        before = DibToRgb(dib);
    }
    void ExpectIntact() const {
        EXPECT_EQ(dib.ImageWidth(), 3);
        EXPECT_EQ(dib.ImageHeight(), 2);
        EXPECT_EQ(DibToRgb(dib), before);
    }
    std::vector<BYTE> before;
};

std::ptrdiff_t Offset(const CDIB& dib, int x, int y) {
    const BYTE* address = dib.GetPixelAddress(x, y);
    return address == nullptr ? -1 : address - dib.GetBits();
}

}  // namespace

TEST(DibRead, PixelAddressesAtEveryDepth) {
    struct Case {
        WORD bitCount;
        LONG width, height;
        int x, y;
        std::ptrdiff_t offset;
    };
    const Case cases[] = {
        {8, 16, 16, 0, 0, 240}, {8, 16, 16, 15, 15, 15}, {24, 10, 10, 1, 0, 291},
        {4, 9, 2, 5, 0, 8 + 2},  {1, 13, 2, 9, 1, 1},     {16, 3, 2, 2, 0, 8 + 4},
        {8, 16, 16, 16, 0, -1}, {8, 16, 16, 0, 16, -1},  {8, 16, 16, -1, 0, -1},
        {32, 2, 2, 0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bitCount << " bits, pixel " << c.x << "," << c.y);
        BmpSpec spec;
        spec.bitCount = c.bitCount;
        spec.width = c.width;
        spec.height = c.height;
        CDIB dib;
        ASSERT_TRUE(LoadBytes(dib, BuildBmp(spec)));
        EXPECT_EQ(dib.BytesPerRow(), static_cast<int>(SpecRowBytes(spec)));
        EXPECT_EQ(Offset(dib, c.x, c.y), c.offset);
    }
}

TEST(DibRead, MalformedFilesFailAndKeepThePreviousImage) {
    const auto valid = [] { return BmpSpec{}; };
    const auto truncated = [&](std::size_t size) {
        auto bytes = BuildBmp(valid());
        bytes.resize(size);
        return bytes;
    };
    const auto with = [&](const std::function<void(BmpSpec&)>& change) {
        BmpSpec spec = valid();
        change(spec);
        return BuildBmp(spec);
    };
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        const char* trace;
    };
    const Case cases[] = {
        {"empty", {}, "Failed to read file header"},
        {"13 bytes", truncated(13), "Failed to read file header"},
        {"magic", with([](BmpSpec& s) { s.type = 0x424D; }), "Not a bitmap file"},
        {"14 bytes", truncated(14), "Failed to read BITMAPINFOHEADER"},
        {"header 108", with([](BmpSpec& s) { s.headerSize = 108; }), " File is not Windows or PM DIB format"},
        {"width 0", with([](BmpSpec& s) { s.width = 0; }), "Invalid DIB width"},
        {"height 0", with([](BmpSpec& s) { s.height = 0; }), "Invalid DIB height"},
        {"top-down", with([](BmpSpec& s) { s.height = -2; }), "Top-down DIB not supported"},
        {"RLE", with([](BmpSpec& s) { s.compression = 1; }), "Compressed DIB not supported"},
        {"2 bits", with([](BmpSpec& s) { s.bitCount = 2; }), "Unsupported DIB bit count"},
        {"OS/2 2 bits", with([](BmpSpec& s) { s.core = true, s.bitCount = 2, s.width = 100; }),
         "Unsupported DIB bit count"},
        {"300 colours at 24 bits", with([](BmpSpec& s) { s.bitCount = 24, s.clrUsed = 300; }),
         "Too many colors for DIB"},
        {"over 256 MiB", with([](BmpSpec& s) { s.width = 65536, s.height = 4097, s.pixels = {1}; }),
         "DIB too large"},
        {"table short", truncated(54 + 1000), "Failed to read color table"},
        {"OS/2 table short", [] {
             BmpSpec s;
             s.core = true;
             auto bytes = BuildBmp(s);
             bytes.resize(26 + 3 * 255 + 2);
             return bytes;
         }(), "Failed to read RGBTRIPLE"},
        {"pixels short", truncated(1078 + 7), "Failed to read bits"},
        {"offset past end", with([](BmpSpec& s) { s.pixels.assign(8, 0), s.offBits = 0xFFFFFFF0u; }),
         "Failed to read bits"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PriorImage prior;
        TraceCapture trace;
        EXPECT_FALSE(LoadBytes(prior.dib, c.bytes));
        EXPECT_TRUE(trace.Contains(c.trace));
        prior.ExpectIntact();
    }
}

TEST(DibRead, Os2FileBecomesAWindowsHeader) {
    BmpSpec spec;
    spec.core = true;
    spec.bitCount = 4;
    spec.width = 5;
    spec.colours = TestColours(16);
    for (RGBQUAD& colour : *spec.colours) colour.rgbReserved = 0xEE;  // not written for triples
    CDIB dib;
    ASSERT_TRUE(LoadBytes(dib, BuildBmp(spec)));
    const BITMAPINFOHEADER& info = dib.GetBitmapInfo()->bmiHeader;
    EXPECT_EQ(info.biSize, 40u);
    EXPECT_EQ(info.biClrUsed, 0u);
    EXPECT_EQ(info.biBitCount, 4);
    EXPECT_EQ(dib.GetColorCount(), 16);
    for (int i = 0; i < 16; ++i) {
        const RGBQUAD& colour = dib.GetColorTable()[i];
        EXPECT_EQ(colour.rgbBlue, i);
        EXPECT_EQ(colour.rgbRed, 255 - i);
        EXPECT_EQ(colour.rgbReserved, 0);
    }
    EXPECT_EQ(dib.GetColorTable()[16].rgbRed, 0) << "entries past the count are cleared";
    EXPECT_EQ(*dib.GetPixelAddress(0, 1), 1);  // the first stored byte is the bottom row
}

TEST(DibRead, ImageInsideALargerFile) {
    BmpSpec spec;
    spec.bitCount = 24;
    spec.width = 3;
    spec.offBits = 54 + 10;  // a gap after the (empty) table
    spec.fileSize = 54 + 10 + 24 + 6;  // the size covers trailing bytes too
    std::vector<BYTE> bytes(100, 0xAB);
    const auto image = BuildBmp(spec);
    bytes.insert(bytes.end(), image.begin(), image.end());
    bytes.resize(bytes.size() + 50, 0xCD);

    CMemFile file(bytes);
    file.Seek(100, CFile::begin);
    CDIB dib;
    ASSERT_TRUE(dib.Load(&file));
    EXPECT_EQ(file.GetPosition(), 100u + *spec.fileSize);
    EXPECT_EQ(*dib.GetPixelAddress(0, 1), 1) << "pixels are read from the offset, past the gap";

    // A size field too small for the pixels is not believed.
    spec.fileSize = 10;
    CMemFile small(BuildBmp(spec));
    ASSERT_TRUE(dib.Load(&small));
    EXPECT_EQ(small.GetPosition(), 54u + 10 + 24);
}

TEST(DibRead, ColourCountsFromTheHeader) {
    CDIB dib;
    BITMAPINFO& info = *dib.GetBitmapInfo();
    struct Case {
        WORD bitCount;
        DWORD clrUsed;
        int expected;
        bool clamped;
    };
    const Case cases[] = {{8, 0, 256, false}, {8, 300, 256, true}, {4, 3, 3, false}, {4, 17, 16, true},
                          {1, 0, 2, false},   {24, 0, 0, false},   {24, 20, 20, false}};
    for (const Case& c : cases) {
        info.bmiHeader.biBitCount = c.bitCount;
        info.bmiHeader.biClrUsed = c.clrUsed;
        TraceCapture trace;
        EXPECT_EQ(CDIB::CountColorEntries(&info), c.expected) << c.bitCount << " " << c.clrUsed;
        EXPECT_EQ(trace.Contains("Invalid color count"), c.clamped);
    }
    // A core header: the bit count is bcBitCount, whatever follows.
    info.bmiHeader.biSize = 12;
    info.bmiHeader.biHeight = 8 << 16;
    info.bmiHeader.biClrUsed = 5;
    EXPECT_EQ(CDIB::CountColorEntries(&info), 256);
    EXPECT_FALSE(CDIB::IsWindowsHeader(&info.bmiHeader));
}

TEST(DibRead, Resources) {
    BmpSpec spec;
    spec.width = 5;
    RegisterDibResource(7, BuildBmp(spec));
    spec.bitCount = 24;
    RegisterDibResource(8, BuildBmp(spec));
    spec.bitCount = 8;
    spec.colours = std::vector<RGBQUAD>{};  // the table is missing
    auto truncated = BuildBmp(spec);
    truncated.resize(truncated.size() - 1);
    RegisterDibResource(9, truncated);

    CDIB dib;
    ASSERT_TRUE(dib.Load(WORD{7}));
    EXPECT_EQ(dib.ImageWidth(), 5);
    EXPECT_EQ(dib.GetColorTable()[3].rgbRed, 252);
    EXPECT_EQ(*dib.GetPixelAddress(0, 1), 1);
    for (WORD refused : {WORD{8}, WORD{9}, WORD{10}}) {
        PriorImage prior;
        TraceCapture trace;
        EXPECT_FALSE(prior.dib.Load(refused)) << refused;
        prior.ExpectIntact();
    }
    TraceCapture trace;
    dib.Load(WORD{10});
    EXPECT_TRUE(trace.Contains("DIB resource not found"));
    ClearDibResources();
}

TEST(DibRead, NamedFiles) {
    std::vector<FileDialogRequest> asked;
    std::optional<std::string> answer;
    SetFileDialogHook([&](const FileDialogRequest& request) {
        asked.push_back(request);
        return answer;
    });
    PriorImage prior;
    EXPECT_FALSE(prior.dib.Load(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(prior.dib.Load(""));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].mode, FileDialogMode::open);
    EXPECT_EQ(asked[0].flags, 0x1004u);
    EXPECT_STREQ(asked[0].filter, "Image files (*.DIB, *.BMP)|*.DIB;*.BMP|All files (*.*)|*.*||");
    EXPECT_FALSE(prior.dib.Load("/nonexistent/velmor/picture.bmp"));
    prior.ExpectIntact();

    const auto path = std::filesystem::temp_directory_path() / "velmor_gfx_named_load.bmp";
    const auto bytes = BuildBmp({});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    answer = path.string();
    EXPECT_TRUE(prior.dib.Load(""));
    EXPECT_EQ(prior.dib.ImageWidth(), 4);
    SetFileDialogHook({});
    std::filesystem::remove(path);
}
