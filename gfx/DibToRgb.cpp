#include "gfx/DibToRgb.h"

#include <string>

#include "gfx/DIB.h"
#include "platform/core/DibRow.h"

std::vector<BYTE> DibToRgb(const CDIB& dib) {
    const BITMAPINFO* info = dib.GetBitmapInfo();
    if (info == nullptr || dib.GetBits() == nullptr) return {};
    const CDibRowDecoder decoder(*info);
    const int width = dib.ImageWidth();
    const int height = dib.ImageHeight();
    if (!decoder.CanDecode() || width <= 0 || height <= 0 ||
        static_cast<std::size_t>(width) > kMaxRgbPixels / static_cast<std::size_t>(height)) {
        return {};
    }
    const auto columns = static_cast<std::size_t>(width);
    const auto stride = static_cast<std::size_t>(dib.BytesPerRow());
    std::vector<std::uint32_t> colours(columns);
    std::vector<BYTE> rgb;
    rgb.reserve(columns * static_cast<std::size_t>(height) * 3);
    // Rows are stored bottom-up.
    for (int y = height - 1; y >= 0; --y) {
        decoder.Decode(dib.GetBits() + static_cast<std::size_t>(y) * stride, 0, columns, colours.data());
        for (const std::uint32_t colour : colours) {
            rgb.insert(rgb.end(), {BYTE(colour >> 16), BYTE(colour >> 8), BYTE(colour)});
        }
    }
    return rgb;
}

std::vector<BYTE> DibToPpm(const CDIB& dib) {
    std::vector<BYTE> rgb = DibToRgb(dib);
    if (rgb.empty()) return {};
    const std::string header = "P6\n" + std::to_string(dib.ImageWidth()) + " " + std::to_string(dib.ImageHeight()) +
                               "\n255\n";
    std::vector<BYTE> ppm(header.begin(), header.end());
    ppm.insert(ppm.end(), rgb.begin(), rgb.end());
    return ppm;
}
