// The BMP structures as bytes: each field read or written in little-endian
// order at its fixed offset, so neither the host's byte order nor the
// structures' padding reaches a file.  The fixed-extent spans make a short
// buffer a compile error; check lengths before taking the span.
#pragma once

#include <cstddef>
#include <span>

#include "platform/core/Types.h"

inline constexpr std::size_t kRgbQuadSize = 4;
inline constexpr std::size_t kRgbTripleSize = 3;

// The OS/2 form of the info header; read, then turned into the 40-byte form.
struct BITMAPCOREHEADER {
    DWORD bcSize = 0;
    WORD bcWidth = 0;
    WORD bcHeight = 0;
    WORD bcPlanes = 0;
    WORD bcBitCount = 0;
};
inline constexpr int kCoreHeaderSize = 12;

// The readers only decode: they check no values (the caller judges bfType,
// biSize and the rest).
void ReadFileHeader(std::span<const BYTE, 14> bytes, BITMAPFILEHEADER& header);
void ReadInfoHeader(std::span<const BYTE, 40> bytes, BITMAPINFOHEADER& header);
void ReadCoreHeader(std::span<const BYTE, 12> bytes, BITMAPCOREHEADER& header);

void WriteFileHeader(const BITMAPFILEHEADER& header, std::span<BYTE, 14> bytes);
// The 1064-byte header block: the 40-byte header and all 256 colour entries.
void WriteHeaderBlock(const BITMAPINFO& info, std::span<BYTE, 1064> bytes);
