#include "gfx/BmpReader.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <new>
#include <span>

#include "gfx/BmpIo.h"
#include "gfx/DIB.h"
#include "platform/core/File.h"
#include "platform/core/Trace.h"

static_assert(sizeof(RGBQUAD) == 4, "colour entries are read straight into the table");

namespace {

constexpr std::size_t kWindowsHeadersSize = kFileHeaderSize + kInfoHeaderSize;  // 54
constexpr std::size_t kCoreHeadersSize = kFileHeaderSize + kCoreHeaderSize;  // 26
// Pixel blocks above this size are checked against the file's length first.
constexpr std::uint64_t kCheckedAllocation = std::uint64_t{1} << 20;

// What the trace says for each problem; only the first of a file is traced.
const char* TraceText(BmpProblemKind kind, bool coreFormat) {
    switch (kind) {
    case BmpProblemKind::emptyFile:
    case BmpProblemKind::shortFileHeader: return "Failed to read file header";
    case BmpProblemKind::badMagic: return "Not a bitmap file";
    case BmpProblemKind::shortInfoHeader: return "Failed to read BITMAPINFOHEADER";
    case BmpProblemKind::headerSize: return " File is not Windows or PM DIB format";
    case BmpProblemKind::compressed: return "Compressed DIB not supported";
    case BmpProblemKind::width: return "Invalid DIB width";
    case BmpProblemKind::height: return "Invalid DIB height";
    case BmpProblemKind::topDown: return "Top-down DIB not supported";
    case BmpProblemKind::bitCount: return "Unsupported DIB bit count";
    case BmpProblemKind::colourCount: return "Too many colors for DIB";
    case BmpProblemKind::pixelDataTooLarge: return "DIB too large";
    case BmpProblemKind::colourTableShort:
        return coreFormat ? "Failed to read RGBTRIPLE" : "Failed to read color table";
    case BmpProblemKind::shortPixelData: return "Failed to read bits";
    }
    return "Unreadable DIB";
}

void Refuse(BmpReport& report, BmpProblemKind kind, std::int64_t value, std::string text) {
    if (report.problems.empty()) Trace(TraceText(kind, report.headerKind == BmpHeaderKind::core));
    report.problems.push_back(BmpProblem{kind, value, std::move(text)});
}

bool IsSupportedBitCount(WORD bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// Every check that needs nothing but the header's values.
void JudgeHeaderValues(const BITMAPINFOHEADER& info, BmpReport& report) {
    if (info.biCompression != 0) {
        const std::string name = CompressionName(info.biCompression);
        Refuse(report, BmpProblemKind::compressed, info.biCompression,
               "compressed " + std::to_string(info.biCompression) + (name.empty() ? "" : " " + name));
    }
    if (info.biWidth <= 0) Refuse(report, BmpProblemKind::width, info.biWidth, "width " + std::to_string(info.biWidth));
    if (info.biHeight == 0) Refuse(report, BmpProblemKind::height, 0, "height 0");
    if (info.biHeight < 0) Refuse(report, BmpProblemKind::topDown, info.biHeight, "top-down");
    if (!IsSupportedBitCount(info.biBitCount)) {
        Refuse(report, BmpProblemKind::bitCount, info.biBitCount, "bit count " + std::to_string(info.biBitCount));
    }
    // Up to 8 bits an oversized count is clamped to the depth's maximum;
    // above, it would overrun the table.
    BITMAPINFO probe{};
    probe.bmiHeader = info;
    probe.bmiHeader.biSize = kInfoHeaderSize;
    const auto counted = static_cast<std::uint64_t>(CDIB::CountColorEntries(&probe));
    const std::uint64_t stated = info.biClrUsed != 0 ? info.biClrUsed : counted;
    report.colourCount = counted < stated && counted <= kMaxColours ? counted : stated;
    if (report.colourCount < stated) {
        report.note = "colour count " + std::to_string(stated) + " clamped to " + std::to_string(counted);
    }
    if (report.colourCount > kMaxColours) {
        Refuse(report, BmpProblemKind::colourCount, static_cast<std::int64_t>(report.colourCount),
               "colour count " + std::to_string(report.colourCount) + " > 256");
    }
    if (info.biWidth > 0 && info.biHeight > 0 &&
        RowBytes(info.biWidth, info.biBitCount) * static_cast<std::uint64_t>(info.biHeight) > kMaxPixelBytes) {
        Refuse(report, BmpProblemKind::pixelDataTooLarge, 0, "pixel data > 256 MiB");
    }
}

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

// Decodes and judges the file and info headers from the first bytes of the
// image; the OS/2 form is converted.  Null when they are not usable.
std::unique_ptr<BITMAPINFO> DecodeHeaders(std::span<const BYTE> head, BmpReport& report) {
    if (head.empty()) {
        Refuse(report, BmpProblemKind::emptyFile, 0, "empty file");
        return nullptr;
    }
    if (head.size() < kFileHeaderSize) {
        Refuse(report, BmpProblemKind::shortFileHeader, 0, "short file header");
        return nullptr;
    }
    ReadFileHeader(head.first<kFileHeaderSize>(), report.fileHeader);
    report.hasFileHeader = true;
    if (report.fileHeader.bfType != BMP_MAGIC) {
        Refuse(report, BmpProblemKind::badMagic, report.fileHeader.bfType,
               "bad magic " + MagicText(report.fileHeader.bfType));
        return nullptr;
    }
    // Forty bytes are asked for even when the header turns out to be the
    // 12-byte OS/2 form.
    if (head.size() < kWindowsHeadersSize) {
        Refuse(report, BmpProblemKind::shortInfoHeader, 0, "short info header");
        return nullptr;
    }
    BITMAPINFOHEADER& info = report.info;
    ReadInfoHeader(head.subspan<kFileHeaderSize, kInfoHeaderSize>(), info);
    report.headerSize = info.biSize;
    if (info.biSize == kCoreHeaderSize) {
        BITMAPCOREHEADER core;
        ReadCoreHeader(head.subspan<kFileHeaderSize, kCoreHeaderSize>(), core);
        info = FromCoreHeader(core);
        report.headerKind = BmpHeaderKind::core;
    } else if (info.biSize == kInfoHeaderSize) {
        report.headerKind = BmpHeaderKind::windows;
    } else {
        report.headerKind = BmpHeaderKind::other;
        Refuse(report, BmpProblemKind::headerSize, info.biSize, "header size " + std::to_string(info.biSize));
        return nullptr;
    }
    JudgeHeaderValues(info, report);
    if (!report.problems.empty()) return nullptr;
    auto block = NewHeaderBlock();
    if (!block) {
        Trace("Out of memory for DIB header");
        return nullptr;
    }
    block->bmiHeader = info;
    return block;
}

// Copies the colour table that follows the info header: 4 bytes an entry
// in a Windows file, 3 (blue, green, red) in an OS/2 file.
bool ReadColourTable(std::span<const BYTE> table, BmpReport& report, BITMAPINFO& block) {
    const bool coreFormat = report.headerKind == BmpHeaderKind::core;
    const auto entries = static_cast<std::size_t>(report.colourCount);
    const std::size_t entryBytes = coreFormat ? kRgbTripleSize : kRgbQuadSize;
    if (table.size() < entries * entryBytes) {
        Refuse(report, BmpProblemKind::colourTableShort, 0, "colour table short");
        return false;
    }
    for (std::size_t index = 0; index < entries; ++index) {
        const BYTE* entry = table.data() + index * entryBytes;
        block.bmiColors[index] = RGBQUAD{entry[0], entry[1], entry[2], coreFormat ? BYTE{0} : entry[3]};
    }
    return true;
}

std::optional<BmpImage> ReadImage(CFile& file, BmpReport& report) {
    const std::uint64_t start = file.GetPosition();
    // Headers and the largest colour table in one read; a short file simply
    // gives fewer bytes, and each part checks that its own bytes are there.
    std::array<BYTE, kWindowsHeadersSize + kMaxColours * kRgbQuadSize> head{};
    const UINT headBytes = file.Read(head.data(), static_cast<UINT>(head.size()));
    std::uint64_t position = start + headBytes;
    const std::span<const BYTE> read(head.data(), headBytes);
    auto block = DecodeHeaders(read, report);
    // The table follows the info header wherever bfOffBits points.
    const std::size_t tableStart = report.headerKind == BmpHeaderKind::core ? kCoreHeadersSize : kWindowsHeadersSize;
    if (!block || !ReadColourTable(read.subspan(tableStart), report, *block)) return std::nullopt;

    const BITMAPINFOHEADER& info = block->bmiHeader;
    const std::uint64_t pixelBytes = RowBytes(info.biWidth, info.biBitCount) *
                                     static_cast<std::uint64_t>(info.biHeight);
    const BITMAPFILEHEADER& fileHeader = report.fileHeader;
    const std::uint64_t pixelStart = start + fileHeader.bfOffBits;
    // A large buffer is only allocated for a file that can fill it.
    if (pixelBytes > kCheckedAllocation && pixelStart + pixelBytes > file.GetLength()) {
        Refuse(report, BmpProblemKind::shortPixelData, 0, "short pixel data");
        return std::nullopt;
    }
    PixelBuffer pixels(static_cast<BYTE*>(std::malloc(static_cast<std::size_t>(pixelBytes))));
    if (!pixels) {
        Trace("Out of memory for DIB bits");
        return std::nullopt;
    }
    if (position != pixelStart) file.Seek(static_cast<std::int64_t>(pixelStart), CFile::begin);
    if (file.Read(pixels.get(), static_cast<UINT>(pixelBytes)) != pixelBytes) {
        Refuse(report, BmpProblemKind::shortPixelData, 0, "short pixel data");
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

std::string BmpReport::Reason() const {
    std::string text;
    for (const BmpProblem& problem : problems) text += (text.empty() ? "" : "; ") + problem.text;
    return text;
}

std::uint64_t RowBytes(std::int64_t width, int bitCount) {
    if (width <= 0 || bitCount <= 0) return 0;
    const auto bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount);
    return ((bits + 31) & ~std::uint64_t{31}) / 8;
}

const char* RejectHeader(const BITMAPINFOHEADER& header) {
    BmpReport report;
    JudgeHeaderValues(header, report);
    return report.problems.empty() ? nullptr : TraceText(report.problems.front().kind, false);
}

std::unique_ptr<BITMAPINFO> NewHeaderBlock() { return std::unique_ptr<BITMAPINFO>(new (std::nothrow) BITMAPINFO{}); }

std::optional<BmpImage> ReadBmpImage(CFile& file, BmpReport* report) {
    BmpReport local;
    BmpReport& seen = report != nullptr ? *report : local;
    seen = BmpReport{};
    try {
        return ReadImage(file, seen);
    } catch (const CFileException& exception) {
        // A file that cannot be read or sought in is an unreadable image;
        // the exception does not reach the caller.
        Trace("File error while reading DIB");
        seen.osError = exception.m_lOsError != 0 ? exception.m_lOsError : EIO;
        return std::nullopt;
    }
}

std::string MagicText(WORD magic) {
    std::string text;
    for (const BYTE byte : {static_cast<BYTE>(magic & 0xFF), static_cast<BYTE>(magic >> 8)}) {
        if (byte > 0x20 && byte < 0x7F) {
            text += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}

std::string CompressionName(DWORD compression) {
    switch (compression) {
    case 1: return "RLE8";
    case 2: return "RLE4";
    case 3: return "BITFIELDS";
    case 4: return "JPEG";
    case 5: return "PNG";
    case 6: return "ALPHABITFIELDS";
    case 11: return "CMYK";
    case 12: return "CMYKRLE8";
    case 13: return "CMYKRLE4";
    default: return {};
    }
}
