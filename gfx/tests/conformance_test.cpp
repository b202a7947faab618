// Every picture of the shared BMP test folder gets the verdict its
// expected.tsv gives, and each accepted one decodes to its reference PPM.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/DIB.h"
#include "gfx/DibToRgb.h"

namespace {

const std::filesystem::path kFolder = VELMOR_BMP_TESTDATA;

// One row of expected.tsv: file, verdict, width, height, bitcount, colours, reason.
using Expectation = std::vector<std::string>;

std::vector<Expectation> ReadExpectations() {
    std::ifstream in(kFolder / "expected.tsv");
    std::vector<Expectation> rows;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        Expectation fields;
        std::stringstream stream(line);
        for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
        fields.resize(7);
        if (!fields[0].empty()) rows.push_back(fields);
    }
    return rows;
}

std::vector<BYTE> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
    if (!std::filesystem::exists(kFolder / "expected.tsv")) {
        GTEST_SKIP() << "no shared BMP test folder at " << kFolder.string();
    }
    const std::vector<Expectation> rows = ReadExpectations();
    ASSERT_FALSE(rows.empty());
    for (const Expectation& row : rows) {
        SCOPED_TRACE(row[0] + " (" + row[1] + " " + row[6] + ")");
        CDIB dib;
        dib.Create(3, 2);
        *dib.GetPixelAddress(1, 1) = 77;
        const BOOL loaded = dib.Load((kFolder / row[0]).string().c_str());
        if (row[1] == "reject") {
            EXPECT_FALSE(loaded);
            EXPECT_EQ(dib.ImageWidth(), 3);
            EXPECT_EQ(*dib.GetPixelAddress(1, 1), 77);
            continue;
        }
        ASSERT_TRUE(loaded);
        const BITMAPINFOHEADER& info = dib.GetBitmapInfo()->bmiHeader;
        EXPECT_EQ(Expectation(row.begin() + 2, row.begin() + 6),
                  (Expectation{std::to_string(info.biWidth), std::to_string(info.biHeight),
                               std::to_string(info.biBitCount), std::to_string(dib.GetColorCount())}));
        const std::string name = std::filesystem::path(row[0]).stem().string() + ".ppm";
        const std::vector<BYTE> expected = ReadAll(kFolder / "ref" / name);
        ASSERT_FALSE(expected.empty()) << "no reference " << name;
        const std::vector<BYTE> actual = DibToPpm(dib);
        EXPECT_TRUE(actual == expected) << "differs " << FirstDifference(actual, expected, dib.ImageWidth(), dib.ImageHeight());
    }
}
