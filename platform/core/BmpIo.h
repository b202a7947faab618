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

// Little-endian primitives at the start of a span (which must be long enough).
WORD ReadLe16(std::span<const BYTE> bytes);
DWORD ReadLe32(std::span<const BYTE> bytes);
void WriteLe16(std::span<BYTE> bytes, WORD value);
void WriteLe32(std::span<BYTE> bytes, DWORD value);

// The readers only decode: they never fail and check no values (the caller
// judges bfType, biSize and the rest).  They return true for use in
// conditions.
bool ReadFileHeader(std::span<const BYTE, 14> bytes, BITMAPFILEHEADER& header);
bool ReadInfoHeader(std::span<const BYTE, 40> bytes, BITMAPINFOHEADER& header);
bool ReadCoreHeader(std::span<const BYTE, 12> bytes, BITMAPCOREHEADER& header);
bool ReadRgbQuad(std::span<const BYTE, 4> bytes, RGBQUAD& quad);
bool ReadRgbTriple(std::span<const BYTE, 3> bytes, RGBTRIPLE& triple);

void WriteFileHeader(const BITMAPFILEHEADER& header, std::span<BYTE, 14> bytes);
void WriteInfoHeader(const BITMAPINFOHEADER& header, std::span<BYTE, 40> bytes);
void WriteCoreHeader(const BITMAPCOREHEADER& header, std::span<BYTE, 12> bytes);
void WriteRgbQuad(const RGBQUAD& quad, std::span<BYTE, 4> bytes);
void WriteRgbTriple(const RGBTRIPLE& triple, std::span<BYTE, 3> bytes);

// The 1064-byte header block: the 40-byte header and all 256 colour entries.
bool ReadHeaderBlock(std::span<const BYTE, 1064> bytes, BITMAPINFO& info);
void WriteHeaderBlock(const BITMAPINFO& info, std::span<BYTE, 1064> bytes);
