#include "platform/ui/DibImage.h"

#include <cstdint>
#include <cstdlib>

#include "platform/core/DibRow.h"

namespace ui_detail {

namespace {

constexpr LONG kMaxSide = 1 << 15;
constexpr DWORD kBiRgb = 0;

}  // namespace

QImage DibRectToImage(const BITMAPINFO& header, const void* bits, int xSrc, int ySrc, int width, int height) {
    const BITMAPINFOHEADER& info = header.bmiHeader;
    const CDibRowDecoder decoder(header);
    if (bits == nullptr || info.biWidth <= 0 || info.biWidth > kMaxSide || info.biHeight == 0 ||
        std::abs(static_cast<long>(info.biHeight)) > kMaxSide || !decoder.CanDecode() || info.biCompression != kBiRgb)
        return {};
    const int pictureWidth = info.biWidth;
    const int pictureHeight = static_cast<int>(std::abs(static_cast<long>(info.biHeight)));
    if (width <= 0 || height <= 0 || xSrc < 0 || ySrc < 0 || xSrc > pictureWidth - width || ySrc > pictureHeight - height)
        return {};
    const std::size_t stride = ((static_cast<std::size_t>(pictureWidth) * info.biBitCount + 31) / 32) * 4;
    const bool bottomUp = info.biHeight > 0;
    const auto* base = static_cast<const BYTE*>(bits);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        // Row y of the result, counted from its top, in the picture's storage.
        const int storedRow = bottomUp ? ySrc + height - 1 - y : ySrc + y;
        const BYTE* row = base + static_cast<std::size_t>(storedRow) * stride;
        decoder.Decode(row, static_cast<std::size_t>(xSrc), static_cast<std::size_t>(width),
                       reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

}  // namespace ui_detail
