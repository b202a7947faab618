#include "platform/ui/DibImage.h"

#include <cstdint>
#include <cstdlib>

namespace ui_detail {

namespace {

constexpr LONG kMaxSide = 1 << 15;
constexpr DWORD kBiRgb = 0;

QRgb TableColour(const BITMAPINFO& header, unsigned index, unsigned colourCount) {
    if (index >= colourCount) return qRgb(0, 0, 0);
    const RGBQUAD& entry = header.bmiColors[index];
    return qRgb(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

int Expand5(unsigned value) { return static_cast<int>((value << 3) | (value >> 2)); }

QRgb PixelAt(const BITMAPINFO& header, const BYTE* row, int x, unsigned colourCount) {
    const auto column = static_cast<std::size_t>(x);
    switch (header.bmiHeader.biBitCount) {
    case 1: return TableColour(header, (row[column / 8] >> (7 - column % 8)) & 1u, colourCount);
    case 4: return TableColour(header, (row[column / 2] >> (column % 2 == 0 ? 4 : 0)) & 0x0Fu, colourCount);
    case 8: return TableColour(header, row[column], colourCount);
    case 16: {
        const unsigned value = row[2 * column] | (static_cast<unsigned>(row[2 * column + 1]) << 8);
        return qRgb(Expand5((value >> 10) & 0x1F), Expand5((value >> 5) & 0x1F), Expand5(value & 0x1F));
    }
    case 24: return qRgb(row[3 * column + 2], row[3 * column + 1], row[3 * column]);
    default: return qRgb(row[4 * column + 2], row[4 * column + 1], row[4 * column]);
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
    const auto* base = static_cast<const BYTE*>(bits);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        // Row y of the result, counted from its top, in the picture's storage.
        const int storedRow = bottomUp ? ySrc + height - 1 - y : ySrc + y;
        const BYTE* row = base + static_cast<std::size_t>(storedRow) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) out[x] = PixelAt(header, row, xSrc + x, colourCount);
    }
    return image;
}

}  // namespace ui_detail
