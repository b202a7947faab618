#include "gfx/artwork/LinearColour.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Worked out once for all 256 values: the artwork asks for the same few
// colours at every sample it takes.
double ChannelToLinear(std::uint8_t value) {
    static const std::array<double, 256> kTable = [] {
        std::array<double, 256> table{};
        for (std::size_t index = 0; index < table.size(); ++index) {
            const double encoded = static_cast<double>(index) / 255.0;
            table[index] = encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return kTable[value];
}

std::uint8_t ChannelToSrgb(double linear) {
    const double clipped = std::clamp(linear, 0.0, 1.0);
    const double encoded = clipped <= 0.0031308 ? clipped * 12.92 : 1.055 * std::pow(clipped, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(std::clamp(encoded, 0.0, 1.0) * 255.0));
}

}  // namespace

LinearColour Mix(LinearColour from, LinearColour to, double amount) { return from * (1.0 - amount) + to * amount; }

LinearColour ToLinear(Srgb8 colour) {
    return {ChannelToLinear(colour.red), ChannelToLinear(colour.green), ChannelToLinear(colour.blue)};
}

Srgb8 ToSrgb8(LinearColour colour) {
    return {ChannelToSrgb(colour.red), ChannelToSrgb(colour.green), ChannelToSrgb(colour.blue)};
}

double Lightness(Srgb8 colour) {
    const LinearColour linear = ToLinear(colour);
    const double luminance = 0.2126 * linear.red + 0.7152 * linear.green + 0.0722 * linear.blue;
    return luminance > 216.0 / 24389.0 ? 116.0 * std::cbrt(luminance) - 16.0 : luminance * 24389.0 / 27.0;
}

int ColourDistance(Srgb8 first, Srgb8 second) {
    const int red = first.red - second.red;
    const int green = first.green - second.green;
    const int blue = first.blue - second.blue;
    return 3 * red * red + 4 * green * green + 2 * blue * blue;
}
