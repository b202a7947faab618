#include "platform/ui/DibImage.h"

#include <cstdint>
#include <cstdlib>

namespace ui_detail {

namespace {

constexpr LONG kMaxSide = 1 << 15;
constexpr DWORD kBiRgb = 0;

int Expand5(unsigned value) { return static_cast<int>((value << 3) | (value >> 2)); }

// One row of the picture, from column xSrc on, into 32-bit pixels.  The
// depth is decided once per row, not per pixel: the board is 130 000 of them.
void ConvertRow(const BITMAPINFOHEADER& info, const QRgb* table, const BYTE* row, int xSrc, int width, QRgb* out) {
    const auto first = static_cast<std::size_t>(xSrc);
    switch (info.biBitCount) {
    case 1:
        for (std::size_t x = first; x < first + static_cast<std::size_t>(width); ++x)
            *out++ = table[(static_cast<unsigned>(row[x / 8]) >> (7 - x % 8)) & 1u];
        break;
    case 4:
        for (std::size_t x = first; x < first + static_cast<std::size_t>(width); ++x)
            *out++ = table[(static_cast<unsigned>(row[x / 2]) >> (x % 2 == 0 ? 4 : 0)) & 0x0Fu];
        break;
    case 8:
        for (std::size_t x = first; x < first + static_cast<std::size_t>(width); ++x) *out++ = table[row[x]];
        break;
    case 16:
        for (std::size_t x = first; x < first + static_cast<std::size_t>(width); ++x) {
            const unsigned value = row[2 * x] | (static_cast<unsigned>(row[2 * x + 1]) << 8);
            *out++ = qRgb(Expand5((value >> 10) & 0x1F), Expand5((value >> 5) & 0x1F), Expand5(value & 0x1F));
        }
        break;
    case 24:
        for (std::size_t x = first; x < first + static_cast<std::size_t>(width); ++x)
            *out++ = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        break;
    default:
        for (std::size_t x = first; x < first + static_cast<std::size_t>(width); ++x)
            *out++ = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
        break;
    }
}

bool DepthAccepted(WORD bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

}  // namespace

QImage DibRectToImage(const BITMAPINFO& header, const void* bits, int xSrc, int ySrc, int width, int height) {
    const BITMAPINFOHEADER& info = header.bmiHeader;
    if (bits == nullptr || info.biWidth <= 0 || info.biWidth > kMaxSide || info.biHeight == 0 ||
        std::abs(static_cast<long>(info.biHeight)) > kMaxSide || !DepthAccepted(info.biBitCount) ||
        info.biCompression != kBiRgb)
        return {};
    const int pictureWidth = info.biWidth;
    const int pictureHeight = static_cast<int>(std::abs(static_cast<long>(info.biHeight)));
    if (width <= 0 || height <= 0 || xSrc < 0 || ySrc < 0 || xSrc > pictureWidth - width || ySrc > pictureHeight - height)
        return {};
    const std::size_t stride = ((static_cast<std::size_t>(pictureWidth) * info.biBitCount + 31) / 32) * 4;
    const bool bottomUp = info.biHeight > 0;
    const unsigned tableSize = info.biBitCount <= 8 ? 1u << info.biBitCount : 0u;
    const unsigned colourCount = info.biClrUsed == 0 || info.biClrUsed > tableSize ? tableSize : info.biClrUsed;
    // Indices past the colours in use show black.
    QRgb table[256];
    for (unsigned index = 0; index < 256; ++index) {
        const RGBQUAD& entry = header.bmiColors[index];
        table[index] = index < colourCount ? qRgb(entry.rgbRed, entry.rgbGreen, entry.rgbBlue) : qRgb(0, 0, 0);
    }
    const auto* base = static_cast<const BYTE*>(bits);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        // Row y of the result, counted from its top, in the picture's storage.
        const int storedRow = bottomUp ? ySrc + height - 1 - y : ySrc + y;
        const BYTE* row = base + static_cast<std::size_t>(storedRow) * stride;
        ConvertRow(info, table, row, xSrc, width, reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return image;
}

}  // namespace ui_detail
