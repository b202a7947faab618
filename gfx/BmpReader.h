// Reading BMP images from untrusted bytes: the one place that judges a
// header and decodes a file, shared by CDIB's file and resource readers.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Types.h"

class CFile;

// The largest pixel block we read: BytesPerRow x height.
inline constexpr std::uint64_t kMaxPixelBytes = std::uint64_t{256} << 20;

struct FreeDeleter {
    void operator()(BYTE* bytes) const { std::free(bytes); }
};
// Pixel buffers live on the C heap: adopted buffers come from malloc too.
using PixelBuffer = std::unique_ptr<BYTE, FreeDeleter>;

// A decoded image, not yet installed in any object.  The header block is
// always the 40-byte Windows form; colour entries beyond the count are 0.
struct BmpImage {
    std::unique_ptr<BITMAPINFO> header;
    PixelBuffer pixels;
};

// Row length in bytes: the bits of a row rounded up to 32.  Never overflows.
std::uint64_t RowBytes(std::int64_t width, int bitCount);

// Why the reader refuses a file.  The header's values are all judged, in
// this order; the other problems end the reading.
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
    std::string text;  // e.g. "header size 124"
};

enum class BmpHeaderKind { none, windows, core, other };

// What the reader saw of a file: the headers as far as it got, and why it
// refused the file.
struct BmpReport {
    bool hasFileHeader = false;
    BITMAPFILEHEADER fileHeader;
    BmpHeaderKind headerKind = BmpHeaderKind::none;
    DWORD headerSize = 0;  // the info header's size field, once read
    // The header in the 40-byte form; from a 12-byte header only width,
    // height, planes and bit count.
    BITMAPINFOHEADER info;
    // Colour-table entries: clamped to the depth's maximum up to 8 bits,
    // as stated above.
    std::uint64_t colourCount = 0;
    std::vector<BmpProblem> problems;
    std::string note;  // something worth knowing about a readable file
    int osError = 0;  // the system's error code when the file itself failed

    bool HasDimensions() const { return headerKind == BmpHeaderKind::windows || headerKind == BmpHeaderKind::core; }
    // The problems joined by "; ".
    std::string Reason() const;
};

// The trace text of the first problem a 40-byte header shows, or null when
// it describes an image we read: positive width and height, uncompressed,
// 1/4/8/16/24/32 bits, at most 256 colours and kMaxPixelBytes of pixels.
const char* RejectHeader(const BITMAPINFOHEADER& header);

// A header block filled with zeros, or null when memory runs out.
std::unique_ptr<BITMAPINFO> NewHeaderBlock();

// Reads a BMP file image (Windows or OS/2 header) from where the file
// stands.  On success the file stands at the image's start + bfSize when
// bfSize covers the pixels, else right after the pixels.  Every failure is
// traced and gives nothing; no exception of the file leaves this function.
// What was seen goes to the report when one is given.
std::optional<BmpImage> ReadBmpImage(CFile& file, BmpReport* report = nullptr);

// The first two bytes as text ("BM"); bytes that do not print as \xNN.
std::string MagicText(WORD magic);
// "RLE8" for 1 and so on; empty for values without a name.
std::string CompressionName(DWORD compression);
