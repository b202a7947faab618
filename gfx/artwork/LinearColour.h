// Colours in linear light, where mixing and averaging behave like light does.
// The artwork is shaded and supersampled in this space and converted to
// 8-bit sRGB only at the end, so anti-aliased edges keep their weight.
#pragma once

#include <cstdint>

struct LinearColour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;

    friend LinearColour operator+(LinearColour first, LinearColour second) {
        return {first.red + second.red, first.green + second.green, first.blue + second.blue};
    }
    friend LinearColour operator*(LinearColour colour, double factor) {
        return {colour.red * factor, colour.green * factor, colour.blue * factor};
    }
    friend LinearColour operator*(LinearColour first, LinearColour second) {
        return {first.red * second.red, first.green * second.green, first.blue * second.blue};
    }
};

// An 8-bit sRGB colour as stored in a colour table.
struct Srgb8 {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(Srgb8, Srgb8) = default;
};

LinearColour Mix(LinearColour from, LinearColour to, double amount);
LinearColour ToLinear(Srgb8 colour);
// Rounds to the nearest 8-bit value; out-of-range light is clipped.
Srgb8 ToSrgb8(LinearColour colour);
// CIE L* (0 black .. 100 white) of an sRGB colour.
double Lightness(Srgb8 colour);
// Squared distance of two colours, weighted roughly by how strongly the eye
// tells the channels apart.  Integer arithmetic, so every build agrees.
int ColourDistance(Srgb8 first, Srgb8 second);
