#include "platform/core/BmpIo.h"

#include <cassert>

WORD ReadLe16(std::span<const BYTE> bytes) {
    assert(bytes.size() >= 2);
    return static_cast<WORD>(bytes[0] | (bytes[1] << 8));
}

DWORD ReadLe32(std::span<const BYTE> bytes) {
    assert(bytes.size() >= 4);
    return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) |
           (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

void WriteLe16(std::span<BYTE> bytes, WORD value) {
    assert(bytes.size() >= 2);
    bytes[0] = static_cast<BYTE>(value & 0xFF);
    bytes[1] = static_cast<BYTE>(value >> 8);
}

void WriteLe32(std::span<BYTE> bytes, DWORD value) {
    assert(bytes.size() >= 4);
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<BYTE>((value >> (8 * i)) & 0xFF);
}

namespace {

// Signed fields travel as their two's-complement bit pattern.
LONG ReadLeSigned32(std::span<const BYTE> bytes) { return static_cast<LONG>(ReadLe32(bytes)); }
void WriteLeSigned32(std::span<BYTE> bytes, LONG value) { WriteLe32(bytes, static_cast<DWORD>(value)); }

}  // namespace

bool ReadFileHeader(std::span<const BYTE, 14> bytes, BITMAPFILEHEADER& header) {
    header.bfType = ReadLe16(bytes.subspan(0));
    header.bfSize = ReadLe32(bytes.subspan(2));
    header.bfReserved1 = ReadLe16(bytes.subspan(6));
    header.bfReserved2 = ReadLe16(bytes.subspan(8));
    header.bfOffBits = ReadLe32(bytes.subspan(10));
    return true;
}

bool ReadInfoHeader(std::span<const BYTE, 40> bytes, BITMAPINFOHEADER& header) {
    header.biSize = ReadLe32(bytes.subspan(0));
    header.biWidth = ReadLeSigned32(bytes.subspan(4));
    header.biHeight = ReadLeSigned32(bytes.subspan(8));
    header.biPlanes = ReadLe16(bytes.subspan(12));
    header.biBitCount = ReadLe16(bytes.subspan(14));
    header.biCompression = ReadLe32(bytes.subspan(16));
    header.biSizeImage = ReadLe32(bytes.subspan(20));
    header.biXPelsPerMeter = ReadLeSigned32(bytes.subspan(24));
    header.biYPelsPerMeter = ReadLeSigned32(bytes.subspan(28));
    header.biClrUsed = ReadLe32(bytes.subspan(32));
    header.biClrImportant = ReadLe32(bytes.subspan(36));
    return true;
}

bool ReadCoreHeader(std::span<const BYTE, 12> bytes, BITMAPCOREHEADER& header) {
    header.bcSize = ReadLe32(bytes.subspan(0));
    header.bcWidth = ReadLe16(bytes.subspan(4));
    header.bcHeight = ReadLe16(bytes.subspan(6));
    header.bcPlanes = ReadLe16(bytes.subspan(8));
    header.bcBitCount = ReadLe16(bytes.subspan(10));
    return true;
}

bool ReadRgbQuad(std::span<const BYTE, 4> bytes, RGBQUAD& quad) {
    quad = RGBQUAD{bytes[0], bytes[1], bytes[2], bytes[3]};
    return true;
}

bool ReadRgbTriple(std::span<const BYTE, 3> bytes, RGBTRIPLE& triple) {
    triple = RGBTRIPLE{bytes[0], bytes[1], bytes[2]};
    return true;
}

void WriteFileHeader(const BITMAPFILEHEADER& header, std::span<BYTE, 14> bytes) {
    WriteLe16(bytes.subspan(0), header.bfType);
    WriteLe32(bytes.subspan(2), header.bfSize);
    WriteLe16(bytes.subspan(6), header.bfReserved1);
    WriteLe16(bytes.subspan(8), header.bfReserved2);
    WriteLe32(bytes.subspan(10), header.bfOffBits);
}

void WriteInfoHeader(const BITMAPINFOHEADER& header, std::span<BYTE, 40> bytes) {
    WriteLe32(bytes.subspan(0), header.biSize);
    WriteLeSigned32(bytes.subspan(4), header.biWidth);
    WriteLeSigned32(bytes.subspan(8), header.biHeight);
    WriteLe16(bytes.subspan(12), header.biPlanes);
    WriteLe16(bytes.subspan(14), header.biBitCount);
    WriteLe32(bytes.subspan(16), header.biCompression);
    WriteLe32(bytes.subspan(20), header.biSizeImage);
    WriteLeSigned32(bytes.subspan(24), header.biXPelsPerMeter);
    WriteLeSigned32(bytes.subspan(28), header.biYPelsPerMeter);
    WriteLe32(bytes.subspan(32), header.biClrUsed);
    WriteLe32(bytes.subspan(36), header.biClrImportant);
}

void WriteCoreHeader(const BITMAPCOREHEADER& header, std::span<BYTE, 12> bytes) {
    WriteLe32(bytes.subspan(0), header.bcSize);
    WriteLe16(bytes.subspan(4), header.bcWidth);
    WriteLe16(bytes.subspan(6), header.bcHeight);
    WriteLe16(bytes.subspan(8), header.bcPlanes);
    WriteLe16(bytes.subspan(10), header.bcBitCount);
}

void WriteRgbQuad(const RGBQUAD& quad, std::span<BYTE, 4> bytes) {
    bytes[0] = quad.rgbBlue;
    bytes[1] = quad.rgbGreen;
    bytes[2] = quad.rgbRed;
    bytes[3] = quad.rgbReserved;
}

void WriteRgbTriple(const RGBTRIPLE& triple, std::span<BYTE, 3> bytes) {
    bytes[0] = triple.rgbtBlue;
    bytes[1] = triple.rgbtGreen;
    bytes[2] = triple.rgbtRed;
}

bool ReadHeaderBlock(std::span<const BYTE, 1064> bytes, BITMAPINFO& info) {
    ReadInfoHeader(bytes.first<40>(), info.bmiHeader);
    for (std::size_t i = 0; i < kMaxColours; ++i) {
        ReadRgbQuad(bytes.subspan(40 + 4 * i).first<4>(), info.bmiColors[i]);
    }
    return true;
}

void WriteHeaderBlock(const BITMAPINFO& info, std::span<BYTE, 1064> bytes) {
    WriteInfoHeader(info.bmiHeader, bytes.first<40>());
    for (std::size_t i = 0; i < kMaxColours; ++i) {
        WriteRgbQuad(info.bmiColors[i], bytes.subspan(40 + 4 * i).first<4>());
    }
}
