// CDIB: pixel addresses, where reading stops, resources and refused writes.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "gfx/DIB.h"
#include "gfx/tests/BmpBuilder.h"
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

// Writes fail in the file header, the header and the pixels; sizes that cannot be made keep the image.
TEST(Dib, RefusedWritesAndSizes) {
    for (const std::size_t limit : {std::size_t{5}, std::size_t{100}, std::size_t{1200}}) {
        CMemFile file;
        file.SetWriteLimit(limit);
        EXPECT_FALSE(CDIB().Save(&file)) << limit;
    }
    CDIB dib;
    ASSERT_TRUE(dib.Create(8, 8));
    for (auto [width, height] : {std::pair(0, 5), std::pair(5, -1), std::pair(70000, 70000)}) {
        EXPECT_FALSE(dib.Create(width, height));
        EXPECT_EQ(dib.ImageWidth(), 8);
    }
}
