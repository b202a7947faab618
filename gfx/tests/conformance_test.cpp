// Every picture of the shared BMP test folder gets the verdict its
// expected.tsv gives, and each accepted one decodes to its reference PPM.
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/DIB.h"
#include "gfx/DibToRgb.h"
#include "gfx/tests/BmpBuilder.h"
#include "tests/support/Files.h"

namespace {

// Where two PPMs of a width x height picture first differ.
std::string FirstDifference(const std::vector<BYTE>& actual, const std::vector<BYTE>& expected, int width, int height) {
    const std::size_t pixelBytes = 3 * std::size_t(width) * std::size_t(height);
    if (actual.size() != expected.size() || actual.size() < pixelBytes) return "in size";
    const auto at = std::size_t(std::mismatch(actual.begin(), actual.end(), expected.begin()).first - actual.begin());
    const std::size_t header = actual.size() - pixelBytes;
    if (at < header) return "in the header";
    const std::size_t pixel = (at - header) / 3;
    return "at pixel " + std::to_string(pixel % std::size_t(width)) + "," + std::to_string(pixel / std::size_t(width));
}

}  // namespace

TEST(BmpConformance, VerdictsFieldsAndPixels) {
    SKIP_WITHOUT_CONFORMANCE_FOLDER();
    const std::vector<ExpectedRow> rows = ReadExpectedRows();
    ASSERT_FALSE(rows.empty());
    for (const ExpectedRow& row : rows) {
        SCOPED_TRACE(row.file + " (" + row.verdict + " " + row.reason + ")");
        CDIB dib;
        dib.Create(3, 2);
        *dib.GetPixelAddress(1, 1) = 77;
        const BOOL loaded = dib.Load((kConformanceFolder / row.file).string().c_str());
        if (row.verdict == "reject") {
            EXPECT_FALSE(loaded);
            EXPECT_EQ(dib.ImageWidth(), 3);
            EXPECT_EQ(*dib.GetPixelAddress(1, 1), 77);
            continue;
        }
        ASSERT_TRUE(loaded);
        const BITMAPINFOHEADER& info = dib.GetBitmapInfo()->bmiHeader;
        EXPECT_EQ((std::vector<std::string>{row.width, row.height, row.bitCount, row.colours}),
                  (std::vector<std::string>{std::to_string(info.biWidth), std::to_string(info.biHeight),
                                            std::to_string(info.biBitCount), std::to_string(dib.GetColorCount())}));
        const std::string name = std::filesystem::path(row.file).stem().string() + ".ppm";
        const std::vector<BYTE> expected =
            ReadWholeFile(kConformanceFolder / "ref" / name).value_or(std::vector<BYTE>());
        ASSERT_FALSE(expected.empty()) << "no reference " << name;
        const std::vector<BYTE> actual = DibToPpm(dib);
        EXPECT_TRUE(actual == expected) << "differs "
                                        << FirstDifference(actual, expected, dib.ImageWidth(), dib.ImageHeight());
    }
}
