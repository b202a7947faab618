#include "gfx/BmpReader.h"

#include <array>
#include <new>
#include <span>

#include "gfx/DIB.h"
#include "platform/core/BmpIo.h"
#include "platform/core/File.h"
#include "platform/core/Trace.h"

static_assert(sizeof(RGBQUAD) == 4, "colour entries are read straight into the table");

namespace {

constexpr std::size_t kWindowsHeadersSize = kFileHeaderSize + kInfoHeaderSize;  // 54
constexpr std::size_t kCoreHeadersSize = kFileHeaderSize + kCoreHeaderSize;     // 26
// Pixel blocks above this size are checked against the file's length first.
constexpr std::uint64_t kCheckedAllocation = std::uint64_t{1} << 20;

// The Windows header an OS/2 core header stands for.
BITMAPINFOHEADER FromCoreHeader(const BITMAPCOREHEADER& core) {
    BITMAPINFOHEADER header;
    header.biSize = kInfoHeaderSize;
    header.biWidth = core.bcWidth;
    header.biHeight = core.bcHeight;
    header.biPlanes = core.bcPlanes;
    header.biBitCount = core.bcBitCount;
    return header;
}

// Copies the colour table that follows the info header: 4 bytes an entry
// in a Windows file, 3 (blue, green, red) in an OS/2 file.
bool ReadColourTable(std::span<const BYTE> table, bool coreFormat, int count, BITMAPINFO& block) {
    const auto entries = static_cast<std::size_t>(count);
    const std::size_t entryBytes = coreFormat ? kRgbTripleSize : kRgbQuadSize;
    if (table.size() < entries * entryBytes) {
        Trace(coreFormat ? "Failed to read RGBTRIPLE" : "Failed to read color table");
        return false;
    }
    for (std::size_t index = 0; index < entries; ++index) {
        const BYTE* entry = table.data() + index * entryBytes;
        block.bmiColors[index] = RGBQUAD{entry[0], entry[1], entry[2], coreFormat ? BYTE{0} : entry[3]};
    }
    return true;
}

// Decodes the file and info headers from the first bytes of the image;
// the OS/2 form is converted.  Null and a trace when they are not usable.
std::unique_ptr<BITMAPINFO> DecodeHeaders(std::span<const BYTE> head, BITMAPFILEHEADER& fileHeader,
                                          bool& coreFormat) {
    if (head.size() < kFileHeaderSize) {
        Trace("Failed to read file header");
        return nullptr;
    }
    ReadFileHeader(head.first<kFileHeaderSize>(), fileHeader);
    if (fileHeader.bfType != BMP_MAGIC) {
        Trace("Not a bitmap file");
        return nullptr;
    }
    // Forty bytes are asked for even when the header turns out to be the
    // 12-byte OS/2 form.
    if (head.size() < kWindowsHeadersSize) {
        Trace("Failed to read BITMAPINFOHEADER");
        return nullptr;
    }
    BITMAPINFOHEADER info;
    ReadInfoHeader(head.subspan<kFileHeaderSize, kInfoHeaderSize>(), info);
    coreFormat = info.biSize == kCoreHeaderSize;
    if (coreFormat) {
        BITMAPCOREHEADER core;
        ReadCoreHeader(head.subspan<kFileHeaderSize, kCoreHeaderSize>(), core);
        info = FromCoreHeader(core);
    } else if (info.biSize != kInfoHeaderSize) {
        Trace(" File is not Windows or PM DIB format");
        return nullptr;
    }
    if (const char* reason = RejectHeader(info)) {
        Trace(reason);
        return nullptr;
    }
    auto block = NewHeaderBlock();
    if (!block) {
        Trace("Out of memory for DIB header");
        return nullptr;
    }
    block->bmiHeader = info;
    return block;
}

std::optional<BmpImage> ReadImage(CFile& file) {
    const std::uint64_t start = file.GetPosition();
    // Headers and the largest colour table in one read; a short file simply
    // gives fewer bytes, and each part checks that its own bytes are there.
    std::array<BYTE, kWindowsHeadersSize + kMaxColours * kRgbQuadSize> head{};
    const UINT headBytes = file.Read(head.data(), static_cast<UINT>(head.size()));
    std::uint64_t position = start + headBytes;
    const std::span<const BYTE> read(head.data(), headBytes);
    BITMAPFILEHEADER fileHeader;
    bool coreFormat = false;
    auto block = DecodeHeaders(read, fileHeader, coreFormat);
    if (!block) return std::nullopt;
    // The table follows the info header wherever bfOffBits points.
    const std::size_t tableStart = coreFormat ? kCoreHeadersSize : kWindowsHeadersSize;
    if (!ReadColourTable(read.subspan(tableStart), coreFormat, CDIB::CountColorEntries(block.get()), *block)) {
        return std::nullopt;
    }

    const BITMAPINFOHEADER& info = block->bmiHeader;
    const std::uint64_t pixelBytes =
        RowBytes(info.biWidth, info.biBitCount) * static_cast<std::uint64_t>(info.biHeight);
    const std::uint64_t pixelStart = start + fileHeader.bfOffBits;
    // A large buffer is only allocated for a file that can fill it.
    if (pixelBytes > kCheckedAllocation && pixelStart + pixelBytes > file.GetLength()) {
        Trace("Failed to read bits");
        return std::nullopt;
    }
    PixelBuffer pixels(static_cast<BYTE*>(std::malloc(static_cast<std::size_t>(pixelBytes))));
    if (!pixels) {
        Trace("Out of memory for DIB bits");
        return std::nullopt;
    }
    if (position != pixelStart) file.Seek(static_cast<std::int64_t>(pixelStart), CFile::begin);
    if (file.Read(pixels.get(), static_cast<UINT>(pixelBytes)) != pixelBytes) {
        Trace("Failed to read bits");
        return std::nullopt;
    }
    position = pixelStart + pixelBytes;
    // Leave the file behind the image, as its own size field says, so that
    // data stored after it can be read next.  A size too small to hold the
    // pixels is not believed.
    const std::uint64_t end = start + fileHeader.bfSize;
    if (fileHeader.bfSize >= std::uint64_t{fileHeader.bfOffBits} + pixelBytes && end != position) {
        file.Seek(static_cast<std::int64_t>(end), CFile::begin);
    }
    return BmpImage{std::move(block), std::move(pixels)};
}

}  // namespace

std::uint64_t RowBytes(std::int64_t width, int bitCount) {
    if (width <= 0 || bitCount <= 0) return 0;
    const auto bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount);
    return ((bits + 31) & ~std::uint64_t{31}) / 8;
}

const char* RejectHeader(const BITMAPINFOHEADER& header) {
    if (header.biWidth <= 0) return "Invalid DIB width";
    if (header.biHeight == 0) return "Invalid DIB height";
    if (header.biHeight < 0) return "Top-down DIB not supported";
    if (header.biCompression != 0) return "Compressed DIB not supported";
    if (!IsSupportedBitCount(header.biBitCount)) return "Unsupported DIB bit count";
    // Up to 8 bits an oversized count is clamped; above, it would overrun
    // the table.
    if (header.biBitCount > 8 && header.biClrUsed > kMaxColours) return "Too many colors for DIB";
    const std::uint64_t pixelBytes =
        RowBytes(header.biWidth, header.biBitCount) * static_cast<std::uint64_t>(header.biHeight);
    if (pixelBytes > kMaxPixelBytes) return "DIB too large";
    return nullptr;
}

std::unique_ptr<BITMAPINFO> NewHeaderBlock() {
    return std::unique_ptr<BITMAPINFO>(new (std::nothrow) BITMAPINFO{});
}

std::optional<BmpImage> ReadBmpImage(CFile& file) {
    try {
        return ReadImage(file);
    } catch (const CFileException&) {
        // The file object throws only for seeks it cannot do; treat it as
        // an unreadable image rather than let it reach the caller.
        Trace("File error while reading DIB");
        return std::nullopt;
    }
}

bool IsSupportedBitCount(WORD bitCount) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: return true;
    default: return false;
    }
}
