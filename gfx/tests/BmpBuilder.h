// Builds small BMP files in memory for the tests, every header field open
// to tampering.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/core/BmpIo.h"
#include "platform/core/MemFile.h"
#include "platform/core/Types.h"

struct BmpSpec {
    WORD type = BMP_MAGIC;
    bool core = false;  // 12-byte OS/2 header, 3-byte colours
    DWORD headerSize = 0;  // 0: 40, or 12 for core
    LONG width = 4, height = 2;
    WORD bitCount = 8;
    DWORD compression = 0, clrUsed = 0;
    std::optional<std::vector<RGBQUAD>> colours = {};  // default: TestColours of the header's count
    std::optional<DWORD> offBits = {};            // default: right after the table
    std::optional<DWORD> fileSize = {};           // default: offBits + pixel bytes
    std::vector<BYTE> pixels = {};                // default: 1, 8, 15, ... for every row byte
};

// Entry i is blue i, green 2i, red 255 - i.
inline std::vector<RGBQUAD> TestColours(std::size_t count) {
    std::vector<RGBQUAD> colours;
    for (std::size_t i = 0; i < count; ++i)
        colours.push_back({BYTE(i), BYTE(2 * i), BYTE(255 - i), 0});
    return colours;
}

inline std::size_t SpecRowBytes(const BmpSpec& s) { return (std::size_t(s.width) * s.bitCount + 31) / 32 * 4; }

// Pixels are left out when the offset lies beyond 16 MiB.
inline std::vector<BYTE> BuildBmp(const BmpSpec& s) {
    const std::size_t implied = s.bitCount <= 8 ? std::size_t{1} << s.bitCount : 0;
    const auto colours = s.colours.value_or(
        TestColours(s.clrUsed != 0 ? std::min<std::size_t>(s.clrUsed, 256) : implied));
    // A longer header than 40 bytes is the 40-byte fields padded with zeros.
    const std::size_t headerBytes = s.core ? 12 : std::max<std::size_t>(40, s.headerSize);
    const std::size_t entryBytes = s.core ? 3 : 4;
    const std::size_t tableEnd = 14 + headerBytes + colours.size() * entryBytes;
    const DWORD offBits = s.offBits.value_or(DWORD(tableEnd));
    std::vector<BYTE> pixels = s.pixels;
    if (pixels.empty()) pixels.resize(SpecRowBytes(s) * std::size_t(std::abs(s.height)));
    if (s.pixels.empty())
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = BYTE(i * 7 + 1);
    const bool placePixels = offBits < (1u << 24);
    std::vector<BYTE> bytes(std::max(tableEnd, placePixels ? offBits + pixels.size() : 0));
    WriteFileHeader({s.type, s.fileSize.value_or(DWORD(offBits + pixels.size())), 0, 0, offBits},
                    std::span<BYTE, 14>(bytes.data(), 14));
    if (s.core) {
        WriteCoreHeader({s.headerSize ? s.headerSize : 12, WORD(s.width), WORD(s.height), 1, s.bitCount},
                        std::span<BYTE, 12>(bytes.data() + 14, 12));
    } else {
        WriteInfoHeader({s.headerSize ? s.headerSize : 40, s.width, s.height, 1, s.bitCount, s.compression, 0,
                         0, 0, s.clrUsed, 0},
                        std::span<BYTE, 40>(bytes.data() + 14, 40));
    }
    BYTE* entry = bytes.data() + 14 + headerBytes;
    for (const RGBQUAD& c : colours) {
        const BYTE quad[4] = {c.rgbBlue, c.rgbGreen, c.rgbRed, c.rgbReserved};
        entry = std::copy_n(quad, entryBytes, entry);
    }
    if (placePixels) std::copy(pixels.begin(), pixels.end(), bytes.begin() + offBits);
    return bytes;
}

template <typename Picture>
BOOL LoadBytes(Picture& picture, std::vector<BYTE> bytes) {
    CMemFile file(std::move(bytes));
    return picture.Load(&file);
}
