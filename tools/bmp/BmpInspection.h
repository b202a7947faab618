// A second, window-free look at a BMP file's headers that names why the
// picture reader would refuse it.  It only explains: whether a file loads is
// always decided by CDIB::Load itself.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/core/Types.h"

// Bytes of a file's start that the inspection looks at: the file header, the
// info header and the largest colour table.
inline constexpr std::size_t kInspectedBytes = 14 + 40 + 4 * 256;

enum class HeaderKind { none, windows, core, other };

// The reasons for refusing a file, in the order they are looked for.
enum class BmpProblemKind {
    emptyFile,
    shortFileHeader,
    badMagic,
    shortInfoHeader,
    headerSize,
    compressed,
    width,
    height,
    topDown,
    bitCount,
    colourCount,
    pixelDataTooLarge,
    colourTableShort,
    shortPixelData,
};

struct BmpProblem {
    BmpProblemKind kind;
    std::int64_t value;  // the offending value where there is one, else 0
    std::string text;    // e.g. "header size 124"
};

struct BmpInspection {
    std::uint64_t fileSize = 0;

    bool hasFileHeader = false;
    BITMAPFILEHEADER fileHeader;

    HeaderKind headerKind = HeaderKind::none;
    DWORD headerSize = 0;  // the info header's size field, when read
    // The header's fields widened to the 40-byte form; for a 12-byte header
    // only width, height, planes and bit count are filled.
    BITMAPINFOHEADER info;

    // Colour-table entries as the reader counts them, before and after the
    // clamp to the depth's maximum.
    std::uint64_t statedColours = 0;
    std::uint64_t colourCount = 0;
    std::uint64_t pixelBytes = 0;  // BytesPerRow x height, when both are positive

    // Why the reader would refuse the file, in order; empty when it should load.
    std::vector<BmpProblem> problems;
    std::string note;  // something worth knowing about a readable file

    bool HasDimensions() const { return headerKind == HeaderKind::windows || headerKind == HeaderKind::core; }
    // The problems joined by "; ".
    std::string Reason() const;
};

// Inspects a file from its first bytes (at most kInspectedBytes are used) and
// its total size.
BmpInspection InspectBmp(std::span<const BYTE> head, std::uint64_t fileSize);

// Reads the start of a file and inspects it; nullopt with a message when the
// file cannot be read.
std::optional<BmpInspection> InspectBmpFile(const std::string& path, std::string& error);

// The first two bytes as text ("BM"); bytes that do not print as \xNN.
std::string MagicText(WORD magic);
// "RLE8" for 1 and so on; empty for values without a name.
std::string CompressionName(DWORD compression);
// "V5" for a 124-byte header and so on; empty for sizes without a name.
std::string HeaderSizeName(DWORD headerSize);
