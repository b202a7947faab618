// Reading BMP images from untrusted bytes: the one place that judges a
// header and decodes a file, shared by CDIB's file and resource readers.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

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

// The depths the reader takes: 1, 4, 8, 16, 24 and 32 bits.
bool IsSupportedBitCount(WORD bitCount);

// Why a header describes no image we read (the trace text), or null when it
// is one: positive width and height, uncompressed, 1/4/8/16/24/32 bits, at
// most 256 colours and kMaxPixelBytes of pixels.
const char* RejectHeader(const BITMAPINFOHEADER& header);

// A header block filled with zeros, or null when memory runs out.
std::unique_ptr<BITMAPINFO> NewHeaderBlock();

// Reads a BMP file image (Windows or OS/2 header) from where the file
// stands.  On success the file stands at the image's start + bfSize when
// bfSize covers the pixels, else right after the pixels.  Every failure is
// traced and gives nothing; no exception of the file leaves this function.
std::optional<BmpImage> ReadBmpImage(CFile& file);
