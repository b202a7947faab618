// The fixed-size types and on-disk picture structures that the rest of the
// program is written against.  The BMP structures are plain values: they are
// read and written field by field in little-endian order (gfx/BmpIo), never
// by copying raw memory, so their in-memory layout does not matter.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int;
using COLORREF = std::uint32_t;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) | (static_cast<COLORREF>(blue) << 16);
}
constexpr BYTE GetRValue(COLORREF colour) { return static_cast<BYTE>(colour & 0xFF); }
constexpr BYTE GetGValue(COLORREF colour) { return static_cast<BYTE>((colour >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF colour) { return static_cast<BYTE>((colour >> 16) & 0xFF); }
// A colour reference that names a palette index rather than a colour.
constexpr COLORREF PALETTEINDEX(WORD index) { return 0x01000000u | index; }

// Little-endian numbers at the start of a buffer (which must be long enough).
constexpr WORD ReadLe16(const BYTE* bytes) { return static_cast<WORD>(bytes[0] | (bytes[1] << 8)); }
constexpr DWORD ReadLe32(const BYTE* bytes) {
    return ReadLe16(bytes) | (static_cast<DWORD>(ReadLe16(bytes + 2)) << 16);
}
constexpr void WriteLe16(BYTE* bytes, WORD value) {
    bytes[0] = static_cast<BYTE>(value & 0xFF);
    bytes[1] = static_cast<BYTE>(value >> 8);
}
constexpr void WriteLe32(BYTE* bytes, DWORD value) {
    WriteLe16(bytes, static_cast<WORD>(value & 0xFFFF));
    WriteLe16(bytes + 2, static_cast<WORD>(value >> 16));
}

inline constexpr WORD BMP_MAGIC = 0x4D42;  // "BM"

struct BITMAPFILEHEADER {
    WORD bfType = 0;
    DWORD bfSize = 0;
    WORD bfReserved1 = 0;
    WORD bfReserved2 = 0;
    DWORD bfOffBits = 0;
};
inline constexpr int kFileHeaderSize = 14;

struct BITMAPINFOHEADER {
    DWORD biSize = 0;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 0;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
inline constexpr int kInfoHeaderSize = 40;

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

// The header block of a picture: the 40-byte header and room for a full
// 256-entry colour table, 1064 bytes when written out.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};
inline constexpr int kMaxColours = 256;
inline constexpr int kHeaderBlockSize = kInfoHeaderSize + 4 * kMaxColours;  // 1064

struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
};

inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr DWORD SRCCOPY = 0x00CC0020;
