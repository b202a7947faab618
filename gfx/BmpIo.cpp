#include "gfx/BmpIo.h"

// Signed fields travel as their two's-complement bit pattern.
void ReadFileHeader(std::span<const BYTE, 14> bytes, BITMAPFILEHEADER& header) {
    header.bfType = ReadLe16(bytes.data());
    header.bfSize = ReadLe32(bytes.data() + 2);
    header.bfReserved1 = ReadLe16(bytes.data() + 6);
    header.bfReserved2 = ReadLe16(bytes.data() + 8);
    header.bfOffBits = ReadLe32(bytes.data() + 10);
}

void ReadInfoHeader(std::span<const BYTE, 40> bytes, BITMAPINFOHEADER& header) {
    header.biSize = ReadLe32(bytes.data());
    header.biWidth = static_cast<LONG>(ReadLe32(bytes.data() + 4));
    header.biHeight = static_cast<LONG>(ReadLe32(bytes.data() + 8));
    header.biPlanes = ReadLe16(bytes.data() + 12);
    header.biBitCount = ReadLe16(bytes.data() + 14);
    header.biCompression = ReadLe32(bytes.data() + 16);
    header.biSizeImage = ReadLe32(bytes.data() + 20);
    header.biXPelsPerMeter = static_cast<LONG>(ReadLe32(bytes.data() + 24));
    header.biYPelsPerMeter = static_cast<LONG>(ReadLe32(bytes.data() + 28));
    header.biClrUsed = ReadLe32(bytes.data() + 32);
    header.biClrImportant = ReadLe32(bytes.data() + 36);
}

void ReadCoreHeader(std::span<const BYTE, 12> bytes, BITMAPCOREHEADER& header) {
    header.bcSize = ReadLe32(bytes.data());
    header.bcWidth = ReadLe16(bytes.data() + 4);
    header.bcHeight = ReadLe16(bytes.data() + 6);
    header.bcPlanes = ReadLe16(bytes.data() + 8);
    header.bcBitCount = ReadLe16(bytes.data() + 10);
}

void WriteFileHeader(const BITMAPFILEHEADER& header, std::span<BYTE, 14> bytes) {
    WriteLe16(bytes.data(), header.bfType);
    WriteLe32(bytes.data() + 2, header.bfSize);
    WriteLe16(bytes.data() + 6, header.bfReserved1);
    WriteLe16(bytes.data() + 8, header.bfReserved2);
    WriteLe32(bytes.data() + 10, header.bfOffBits);
}

void WriteHeaderBlock(const BITMAPINFO& info, std::span<BYTE, 1064> bytes) {
    const BITMAPINFOHEADER& header = info.bmiHeader;
    WriteLe32(bytes.data(), header.biSize);
    WriteLe32(bytes.data() + 4, static_cast<DWORD>(header.biWidth));
    WriteLe32(bytes.data() + 8, static_cast<DWORD>(header.biHeight));
    WriteLe16(bytes.data() + 12, header.biPlanes);
    WriteLe16(bytes.data() + 14, header.biBitCount);
    WriteLe32(bytes.data() + 16, header.biCompression);
    WriteLe32(bytes.data() + 20, header.biSizeImage);
    WriteLe32(bytes.data() + 24, static_cast<DWORD>(header.biXPelsPerMeter));
    WriteLe32(bytes.data() + 28, static_cast<DWORD>(header.biYPelsPerMeter));
    WriteLe32(bytes.data() + 32, header.biClrUsed);
    WriteLe32(bytes.data() + 36, header.biClrImportant);
    for (std::size_t i = 0; i < kMaxColours; ++i) {
        const RGBQUAD& quad = info.bmiColors[i];
        const std::size_t at = 40 + 4 * i;
        bytes[at] = quad.rgbBlue;
        bytes[at + 1] = quad.rgbGreen;
        bytes[at + 2] = quad.rgbRed;
        bytes[at + 3] = quad.rgbReserved;
    }
}
