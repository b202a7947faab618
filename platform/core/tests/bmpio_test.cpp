#include <gtest/gtest.h>

#include <array>

#include "platform/core/BmpIo.h"

// Each field lands at its own offset, low byte first: a swapped or shifted
// field shows up as a byte in the wrong place.
TEST(BmpIo, FileHeaderBytes) {
    BITMAPFILEHEADER header;
    header.bfType = BMP_MAGIC;
    header.bfSize = 0x00020316;
    header.bfReserved1 = 0x0102;
    header.bfReserved2 = 0x0304;
    header.bfOffBits = 1078;
    std::array<BYTE, 14> bytes{};
    WriteFileHeader(header, bytes);
    EXPECT_EQ(bytes, (std::array<BYTE, 14>{'B', 'M', 0x16, 0x03, 0x02, 0x00, 0x02, 0x01, 0x04, 0x03, 0x36, 0x04, 0, 0}));
    BITMAPFILEHEADER back;
    ReadFileHeader(bytes, back);
    EXPECT_EQ(back.bfType, header.bfType);
    EXPECT_EQ(back.bfSize, header.bfSize);
    EXPECT_EQ(back.bfReserved1, header.bfReserved1);
    EXPECT_EQ(back.bfReserved2, header.bfReserved2);
    EXPECT_EQ(back.bfOffBits, header.bfOffBits);
}

TEST(BmpIo, InfoHeaderFieldsAndSignedValues) {
    std::array<BYTE, 40> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>(i + 1);
    BITMAPINFOHEADER header;
    ReadInfoHeader(bytes, header);
    EXPECT_EQ(header.biSize, 0x04030201u);
    EXPECT_EQ(header.biWidth, 0x08070605);
    EXPECT_EQ(header.biHeight, 0x0C0B0A09);
    EXPECT_EQ(header.biPlanes, 0x0E0D);
    EXPECT_EQ(header.biBitCount, 0x100F);
    EXPECT_EQ(header.biCompression, 0x14131211u);
    EXPECT_EQ(header.biSizeImage, 0x18171615u);
    EXPECT_EQ(header.biXPelsPerMeter, 0x1C1B1A19);
    EXPECT_EQ(header.biYPelsPerMeter, 0x201F1E1D);
    EXPECT_EQ(header.biClrUsed, 0x24232221u);
    EXPECT_EQ(header.biClrImportant, 0x28272625u);
    std::array<BYTE, 40> again{};
    WriteInfoHeader(header, again);
    EXPECT_EQ(again, bytes);

    header.biHeight = -3;  // top-down pictures store a negative height
    WriteInfoHeader(header, again);
    EXPECT_EQ(again[8], 0xFD);
    EXPECT_EQ(again[11], 0xFF);
    BITMAPINFOHEADER negative;
    ReadInfoHeader(again, negative);
    EXPECT_EQ(negative.biHeight, -3);
}

TEST(BmpIo, CoreHeaderAndColourTriple) {
    const std::array<BYTE, 12> core = {12, 0, 0, 0, 0x34, 0x12, 0x02, 0x01, 1, 0, 4, 0};
    BITMAPCOREHEADER header;
    ReadCoreHeader(core, header);
    EXPECT_EQ(header.bcSize, 12u);
    EXPECT_EQ(header.bcWidth, 0x1234);
    EXPECT_EQ(header.bcHeight, 0x0102);
    EXPECT_EQ(header.bcPlanes, 1);
    EXPECT_EQ(header.bcBitCount, 4);
    std::array<BYTE, 12> again{};
    WriteCoreHeader(header, again);
    EXPECT_EQ(again, core);

    // Blue first on disk.
    const std::array<BYTE, 3> tripleBytes = {1, 2, 3};
    RGBTRIPLE triple;
    ReadRgbTriple(tripleBytes, triple);
    EXPECT_EQ(triple.rgbtBlue, 1);
    EXPECT_EQ(triple.rgbtRed, 3);
    std::array<BYTE, 3> tripleAgain{};
    WriteRgbTriple(triple, tripleAgain);
    EXPECT_EQ(tripleAgain, tripleBytes);
}
