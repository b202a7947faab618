// Builds small BMP files in memory for the tests, with every header field
// open to tampering.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/core/BmpIo.h"
#include "platform/core/Types.h"

struct BmpSpec {
    WORD type = BMP_MAGIC;
    bool core = false;                 // 12-byte OS/2 header and 3-byte colours
    std::optional<DWORD> headerSize;   // default 40 (12 for core)
    LONG width = 4;
    LONG height = 2;
    WORD planes = 1;
    WORD bitCount = 8;
    DWORD compression = 0;
    DWORD clrUsed = 0;
    std::optional<std::vector<RGBQUAD>> colours;  // default: TestColours of the header's count
    std::optional<DWORD> offBits;      // default: right after the table
    std::optional<DWORD> fileSize;     // default: offBits + pixel bytes
    std::vector<BYTE> pixels;          // default: BytesPerRow x height bytes 0, 1, 2, ...
};

inline std::size_t SpecRowBytes(const BmpSpec& spec) {
    return ((static_cast<std::size_t>(spec.width) * spec.bitCount + 31) & ~std::size_t{31}) / 8;
}

// n distinct colours, entry i = (blue i, green 2i, red 255 - i).
inline std::vector<RGBQUAD> TestColours(std::size_t count) {
    std::vector<RGBQUAD> colours;
    for (std::size_t i = 0; i < count; ++i) {
        colours.push_back(RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(2 * i),
                                  static_cast<BYTE>(255 - i), 0});
    }
    return colours;
}

inline std::vector<RGBQUAD> DefaultColours(const BmpSpec& spec) {
    const std::size_t maximum = spec.bitCount <= 8 ? std::size_t{1} << spec.bitCount : 0;
    if (spec.clrUsed != 0 && !spec.core) return TestColours(std::min<std::size_t>(spec.clrUsed, 256));
    return TestColours(maximum);
}

// Pixels beyond the first 16 MiB of the file are left out (for offsets
// that point far past the end).
inline std::vector<BYTE> BuildBmp(const BmpSpec& spec) {
    const std::vector<RGBQUAD> colours = spec.colours.value_or(DefaultColours(spec));
    const std::size_t headerBytes = spec.core ? 12 : 40;
    const std::size_t entryBytes = spec.core ? 3 : 4;
    const std::size_t tableEnd = 14 + headerBytes + colours.size() * entryBytes;
    const DWORD offBits = spec.offBits.value_or(static_cast<DWORD>(tableEnd));
    std::vector<BYTE> pixels = spec.pixels;
    if (pixels.empty()) {
        pixels.resize(SpecRowBytes(spec) * static_cast<std::size_t>(std::abs(spec.height)));
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<BYTE>(i * 7 + 1);
    }
    const bool placePixels = offBits < (1u << 24);
    std::vector<BYTE> bytes(std::max<std::size_t>(tableEnd, placePixels ? offBits + pixels.size() : 0));
    BITMAPFILEHEADER file;
    file.bfType = spec.type;
    file.bfSize = spec.fileSize.value_or(static_cast<DWORD>(offBits + pixels.size()));
    file.bfOffBits = offBits;
    WriteFileHeader(file, std::span<BYTE, 14>(bytes.data(), 14));
    if (spec.core) {
        BITMAPCOREHEADER core;
        core.bcSize = spec.headerSize.value_or(12);
        core.bcWidth = static_cast<WORD>(spec.width);
        core.bcHeight = static_cast<WORD>(spec.height);
        core.bcPlanes = spec.planes;
        core.bcBitCount = spec.bitCount;
        WriteCoreHeader(core, std::span<BYTE, 12>(bytes.data() + 14, 12));
    } else {
        BITMAPINFOHEADER info;
        info.biSize = spec.headerSize.value_or(40);
        info.biWidth = spec.width;
        info.biHeight = spec.height;
        info.biPlanes = spec.planes;
        info.biBitCount = spec.bitCount;
        info.biCompression = spec.compression;
        info.biClrUsed = spec.clrUsed;
        WriteInfoHeader(info, std::span<BYTE, 40>(bytes.data() + 14, 40));
    }
    BYTE* entry = bytes.data() + 14 + headerBytes;
    for (const RGBQUAD& colour : colours) {
        const BYTE quad[4] = {colour.rgbBlue, colour.rgbGreen, colour.rgbRed, colour.rgbReserved};
        std::copy_n(quad, entryBytes, entry);
        entry += entryBytes;
    }
    if (placePixels) std::copy(pixels.begin(), pixels.end(), bytes.begin() + offBits);
    return bytes;
}
