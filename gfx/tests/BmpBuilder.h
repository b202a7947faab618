// BMP files for the picture tests: small ones built in memory, every header field open to tampering (the bytes are laid
// out here, not by the code under test).
#pragma once

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/core/Types.h"
#include "tests/support/MemFile.h"

struct BmpSpec {
    bool core = false;  // 12-byte OS/2 header, 3-byte colours
    DWORD headerSize = 0;  // 0: 40, or 12 for core
    LONG width = 4;
    LONG height = 2;
    WORD bitCount = 8;
    DWORD clrUsed = 0;
    std::optional<std::vector<RGBQUAD>> colours = {};  // default: TestColours of the header's count
    std::optional<DWORD> offBits = {};  // default: right after the table
    std::optional<DWORD> fileSize = {};  // default: offBits + pixel bytes
    std::vector<BYTE> pixels = {};  // default: 1, 8, 15, ... for every row byte
};

// Entry i is blue i, green 2i, red 255 - i.
inline std::vector<RGBQUAD> TestColours(std::size_t count) {
    std::vector<RGBQUAD> colours;
    for (std::size_t i = 0; i < count; ++i) colours.push_back({BYTE(i), BYTE(2 * i), BYTE(255 - i), 0});
    return colours;
}

// Little-endian fields of the given byte widths at `at`.
inline void PutLe(std::vector<BYTE>& bytes, std::size_t at, std::initializer_list<std::pair<int, DWORD>> fields) {
    for (const auto& [width, value] : fields)
        for (int i = 0; i < width; ++i) bytes[at++] = BYTE(value >> (8 * i));
}

inline std::vector<BYTE> BuildBmp(const BmpSpec& spec) {
    const std::size_t implied = spec.bitCount <= 8 ? std::size_t{1} << spec.bitCount : 0;
    const auto colours = spec.colours.value_or(
        TestColours(spec.clrUsed != 0 ? std::min<std::size_t>(spec.clrUsed, 256) : implied));
    // A longer header than 40 bytes is the 40-byte fields padded with zeros.
    const std::size_t headerBytes = spec.core ? 12 : std::max<std::size_t>(40, spec.headerSize);
    const std::size_t entryBytes = spec.core ? 3 : 4;
    const std::size_t tableEnd = 14 + headerBytes + colours.size() * entryBytes;
    const DWORD offBits = spec.offBits.value_or(DWORD(tableEnd));
    std::vector<BYTE> pixels = spec.pixels;
    if (pixels.empty()) {
        pixels.resize((std::size_t(spec.width) * spec.bitCount + 31) / 32 * 4 * std::size_t(std::abs(spec.height)));
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = BYTE(i * 7 + 1);
    }
    std::vector<BYTE> bytes(std::max<std::size_t>(tableEnd, offBits + pixels.size()));
    PutLe(bytes, 0,
          {{2, BMP_MAGIC}, {4, spec.fileSize.value_or(DWORD(offBits + pixels.size()))}, {4, 0}, {4, offBits}});
    // The core header has 16-bit sizes and ends at the bit count; later fields are zero unless set.
    const DWORD size = spec.headerSize ? spec.headerSize : DWORD(headerBytes);
    const int sizeBytes = spec.core ? 2 : 4;
    PutLe(bytes, 14,
          {{4, size}, {sizeBytes, DWORD(spec.width)}, {sizeBytes, DWORD(spec.height)}, {2, 1}, {2, spec.bitCount}});
    if (!spec.core) PutLe(bytes, 46, {{4, spec.clrUsed}});  // biClrUsed
    BYTE* entry = bytes.data() + 14 + headerBytes;
    for (const RGBQUAD& colour : colours) {
        const BYTE quad[4] = {colour.rgbBlue, colour.rgbGreen, colour.rgbRed, colour.rgbReserved};
        entry = std::copy_n(quad, entryBytes, entry);
    }
    std::copy(pixels.begin(), pixels.end(), bytes.begin() + offBits);
    return bytes;
}

template <typename Picture>
BOOL LoadBytes(Picture& picture, std::vector<BYTE> bytes) {
    CMemFile file(std::move(bytes));
    return picture.Load(&file);
}
