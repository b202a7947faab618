#include "gfx/DibToRgb.h"

#include <algorithm>
#include <string>

#include "gfx/DIB.h"

namespace {

BYTE Widen5(unsigned channel) { return static_cast<BYTE>(channel * 255 / 31); }

// The colour-table index of pixel x in a row of 1, 4 or 8 bits; the
// leftmost pixel sits in the most significant bits of its byte.
unsigned IndexAt(const BYTE* row, std::size_t x, unsigned bitCount) {
    switch (bitCount) {
    case 1: return (unsigned{row[x / 8]} >> (7 - x % 8)) & 1u;
    case 4: return (unsigned{row[x / 2]} >> (x % 2 == 0 ? 4 : 0)) & 15u;
    default: return unsigned{row[x]};
    }
}

void AppendPixel(const BYTE* row, std::size_t x, unsigned bitCount, const RGBQUAD* table,
                 unsigned colours, std::vector<BYTE>& out) {
    switch (bitCount) {
    case 16: {
        const unsigned value = row[2 * x] | (static_cast<unsigned>(row[2 * x + 1]) << 8);
        out.insert(out.end(), {Widen5((value >> 10) & 31u), Widen5((value >> 5) & 31u), Widen5(value & 31u)});
        return;
    }
    case 24: out.insert(out.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]}); return;
    case 32: out.insert(out.end(), {row[4 * x + 2], row[4 * x + 1], row[4 * x]}); return;
    default: {
        const unsigned index = IndexAt(row, x, bitCount);
        const RGBQUAD colour = index < colours ? table[index] : RGBQUAD{};
        out.insert(out.end(), {colour.rgbRed, colour.rgbGreen, colour.rgbBlue});
        return;
    }
    }
}

}  // namespace

std::vector<BYTE> DibToRgb(const CDIB& dib) {
    const BITMAPINFO* info = dib.GetBitmapInfo();
    if (info == nullptr || dib.GetBits() == nullptr) return {};
    const unsigned bitCount = info->bmiHeader.biBitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
        return {};
    }
    const int width = dib.ImageWidth();
    const int height = dib.ImageHeight();
    if (width <= 0 || height <= 0 ||
        static_cast<std::size_t>(width) > kMaxRgbPixels / static_cast<std::size_t>(height)) {
        return {};
    }
    const auto colours = static_cast<unsigned>(std::clamp(dib.GetColorCount(), 0, kMaxColours));
    const auto stride = static_cast<std::size_t>(dib.BytesPerRow());
    std::vector<BYTE> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    // Rows are stored bottom-up.
    for (int y = height - 1; y >= 0; --y) {
        const BYTE* row = dib.GetBits() + static_cast<std::size_t>(y) * stride;
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            AppendPixel(row, x, bitCount, info->bmiColors, colours, rgb);
        }
    }
    return rgb;
}

std::vector<BYTE> DibToPpm(const CDIB& dib) {
    std::vector<BYTE> rgb = DibToRgb(dib);
    if (rgb.empty()) return {};
    const std::string header = "P6\n" + std::to_string(dib.ImageWidth()) + " " +
                               std::to_string(dib.ImageHeight()) + "\n255\n";
    std::vector<BYTE> ppm(header.begin(), header.end());
    ppm.insert(ppm.end(), rgb.begin(), rgb.end());
    return ppm;
}
