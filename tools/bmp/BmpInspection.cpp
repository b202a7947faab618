#include "tools/bmp/BmpInspection.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "gfx/BmpReader.h"
#include "platform/core/BmpIo.h"
#include "platform/core/File.h"

namespace {

constexpr std::uint64_t kPixelByteLimit = 256ull * 1024 * 1024;
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

void Add(BmpInspection& result, BmpProblemKind kind, std::int64_t value, std::string text) {
    result.problems.push_back(BmpProblem{kind, value, std::move(text)});
}

std::uint64_t MaxColoursForDepth(WORD bitCount) {
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

// Reads the 40 bytes after the file header as either header form.
void ReadHeaders(std::span<const BYTE> head, BmpInspection& result) {
    BITMAPINFOHEADER& info = result.info;
    ReadInfoHeader(head.subspan(kFileHeaderBytes).first<kInfoHeaderBytes>(), info);
    result.headerSize = info.biSize;
    if (info.biSize == 40) {
        result.headerKind = HeaderKind::windows;
        return;
    }
    if (info.biSize == 12) {
        BITMAPCOREHEADER core;
        ReadCoreHeader(head.subspan(kFileHeaderBytes).first<12>(), core);
        info = BITMAPINFOHEADER{};
        info.biSize = 12;
        info.biWidth = core.bcWidth;
        info.biHeight = core.bcHeight;
        info.biPlanes = core.bcPlanes;
        info.biBitCount = core.bcBitCount;
        result.headerKind = HeaderKind::core;
        return;
    }
    result.headerKind = HeaderKind::other;
    Add(result, BmpProblemKind::headerSize, info.biSize, "header size " + std::to_string(info.biSize));
}

void CountColours(BmpInspection& result) {
    const BITMAPINFOHEADER& info = result.info;
    const std::uint64_t maximum = MaxColoursForDepth(info.biBitCount);
    const bool stated = result.headerKind == HeaderKind::windows && info.biClrUsed != 0;
    result.statedColours = stated ? info.biClrUsed : maximum;
    result.colourCount = result.statedColours;
    if (maximum != 0 && result.colourCount > maximum) {
        result.colourCount = maximum;
        result.note =
            "colour count " + std::to_string(result.statedColours) + " clamped to " + std::to_string(maximum);
    }
}

// The checks that need nothing but the header's values.
void JudgeHeaderValues(BmpInspection& result) {
    const BITMAPINFOHEADER& info = result.info;
    if (result.headerKind == HeaderKind::windows && info.biCompression != 0) {
        const std::string name = CompressionName(info.biCompression);
        Add(result, BmpProblemKind::compressed, info.biCompression,
            "compressed " + std::to_string(info.biCompression) + (name.empty() ? "" : " " + name));
    }
    if (info.biWidth <= 0) {
        Add(result, BmpProblemKind::width, info.biWidth, "width " + std::to_string(info.biWidth));
    }
    if (info.biHeight == 0) Add(result, BmpProblemKind::height, 0, "height 0");
    if (info.biHeight < 0) Add(result, BmpProblemKind::topDown, info.biHeight, "top-down");
    if (!IsSupportedBitCount(info.biBitCount)) {
        Add(result, BmpProblemKind::bitCount, info.biBitCount,
            "bit count " + std::to_string(info.biBitCount));
    }
    CountColours(result);
    if (result.colourCount > 256) {
        Add(result, BmpProblemKind::colourCount, static_cast<std::int64_t>(result.colourCount),
            "colour count " + std::to_string(result.colourCount) + " > 256");
    }
    if (info.biWidth > 0 && info.biHeight > 0) {
        // At most 2^31 x 2^16 bits per row: no overflow in 64 bits.
        const std::uint64_t rowBits = static_cast<std::uint64_t>(info.biWidth) * info.biBitCount;
        const std::uint64_t bytesPerRow = ((rowBits + 31) / 32) * 4;
        result.pixelBytes = bytesPerRow * static_cast<std::uint64_t>(info.biHeight);
        if (result.pixelBytes > kPixelByteLimit) {
            Add(result, BmpProblemKind::pixelDataTooLarge, 0, "pixel data > 256 MiB");
        }
    }
}

// The checks against the file's length: the colour table right after the
// header, then the pixels from bfOffBits.
void JudgeFileLength(BmpInspection& result) {
    const bool core = result.headerKind == HeaderKind::core;
    const std::uint64_t tableStart = kFileHeaderBytes + (core ? 12 : kInfoHeaderBytes);
    const std::uint64_t tableEnd = tableStart + result.colourCount * (core ? 3 : 4);
    if (tableEnd > result.fileSize) {
        Add(result, BmpProblemKind::colourTableShort, 0, "colour table short");
        return;
    }
    const std::uint64_t offset = result.fileHeader.bfOffBits;
    if (offset > result.fileSize || result.fileSize - offset < result.pixelBytes) {
        Add(result, BmpProblemKind::shortPixelData, 0, "short pixel data");
    }
}

}  // namespace

std::string BmpInspection::Reason() const {
    std::string text;
    for (const BmpProblem& problem : problems) {
        if (!text.empty()) text += "; ";
        text += problem.text;
    }
    return text;
}

BmpInspection InspectBmp(std::span<const BYTE> head, std::uint64_t fileSize) {
    BmpInspection result;
    result.fileSize = fileSize;
    if (head.size() > fileSize) head = head.first(static_cast<std::size_t>(fileSize));
    if (fileSize == 0) {
        Add(result, BmpProblemKind::emptyFile, 0, "empty file");
        return result;
    }
    if (head.size() < kFileHeaderBytes) {
        Add(result, BmpProblemKind::shortFileHeader, 0, "short file header");
        return result;
    }
    ReadFileHeader(head.first<kFileHeaderBytes>(), result.fileHeader);
    result.hasFileHeader = true;
    if (result.fileHeader.bfType != BMP_MAGIC) {
        Add(result, BmpProblemKind::badMagic, result.fileHeader.bfType,
            "bad magic " + MagicText(result.fileHeader.bfType));
        return result;
    }
    if (head.size() < kFileHeaderBytes + kInfoHeaderBytes) {
        Add(result, BmpProblemKind::shortInfoHeader, 0, "short info header");
        return result;
    }
    ReadHeaders(head, result);
    if (!result.HasDimensions()) return result;
    JudgeHeaderValues(result);
    if (result.problems.empty()) JudgeFileLength(result);
    return result;
}

std::optional<BmpInspection> InspectBmpFile(const std::string& path, std::string& error) {
    CFile file;
    CFileException failure;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite, &failure)) {
        error = std::strerror(failure.m_lOsError != 0 ? failure.m_lOsError : ENOENT);
        return std::nullopt;
    }
    try {
        std::vector<BYTE> head(kInspectedBytes);
        const UINT count = file.Read(head.data(), static_cast<UINT>(head.size()));
        head.resize(count);
        return InspectBmp(head, file.GetLength());
    } catch (const CFileException& exception) {
        error = std::strerror(exception.m_lOsError != 0 ? exception.m_lOsError : EIO);
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

std::string HeaderSizeName(DWORD headerSize) {
    switch (headerSize) {
    case 12: return "OS/2 1.x";
    case 16:
    case 64: return "OS/2 2.x";
    case 40: return "Windows";
    case 52: return "V2";
    case 56: return "V3";
    case 108: return "V4";
    case 124: return "V5";
    default: return {};
    }
}
