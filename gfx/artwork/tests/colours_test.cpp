// The six balls must stay apart for players with colour-vision deficiencies.
// Each ball's drawn colour (the mean of its normal frame's disc) is put
// through simulations of the three kinds of dichromacy (the matrices of
// Machado, Oliveira and Fernandes, 2009, at full severity, applied in linear
// light) and compared in CIE L*a*b*.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/tests/ArtTestSupport.h"

namespace art {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

struct Vision {
    const char* name;
    Matrix matrix;
};

const Vision kVisions[] = {
    {"normal", {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}},
    {"protanopia", {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}}},
    {"deuteranopia", {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}}},
    {"tritanopia", {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}}},
};

struct Lab {
    double lightness, a, b;
};

Lab ToLab(LinearColour colour) {
    const double x = (0.4124 * colour.red + 0.3576 * colour.green + 0.1805 * colour.blue) / 0.95047;
    const double y = 0.2126 * colour.red + 0.7152 * colour.green + 0.0722 * colour.blue;
    const double z = (0.0193 * colour.red + 0.1192 * colour.green + 0.9505 * colour.blue) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

LinearColour Simulate(const Matrix& m, LinearColour c) {
    const auto row = [&c](const std::array<double, 3>& r) {
        return std::clamp(r[0] * c.red + r[1] * c.green + r[2] * c.blue, 0.0, 1.0);
    };
    return {row(m[0]), row(m[1]), row(m[2])};
}

double DeltaE(Lab p, Lab q) { return std::hypot(p.lightness - q.lightness, p.a - q.a, p.b - q.b); }

// The mean colour, in linear light, of the normal frame's inner disc.
LinearColour DrawnColour(int colourNumber) {
    const auto ball = testing::LoadArtwork(std::to_string(colourNumber) + ".bmp");
    if (!ball) {
        ADD_FAILURE() << "ball " << colourNumber << " cannot be read";
        return {};
    }
    LinearColour sum;
    int count = 0;
    for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kCellSize; ++x) {
            if (std::hypot(x + 0.5 - kBallCentre, y + 0.5 - kBallCentre) < kBallRadius - 1.0) {
                const RGBQUAD entry = ball->GetColorTable()[testing::PixelOf(*ball, x, y)];
                sum = sum + ToLinear({entry.rgbRed, entry.rgbGreen, entry.rgbBlue});
                ++count;
            }
        }
    }
    return sum * (1.0 / count);
}

std::vector<LinearColour> DrawnColours() {
    std::vector<LinearColour> colours;
    for (int colour = 1; colour <= kBallColourCount; ++colour) {
        colours.push_back(DrawnColour(colour));
    }
    return colours;
}

TEST(BallColours, DifferInLightnessByClearSteps) {
    std::vector<double> lightness;
    for (const LinearColour colour : DrawnColours()) {
        lightness.push_back(ToLab(colour).lightness);
    }
    std::sort(lightness.begin(), lightness.end());
    for (std::size_t i = 1; i < lightness.size(); ++i) {
        EXPECT_GE(lightness[i] - lightness[i - 1], 7.0)
            << "L* " << lightness[i - 1] << " and " << lightness[i] << " are too close";
    }
    EXPECT_GE(lightness.back() - lightness.front(), 40.0);
}

TEST(BallColours, StayApartUnderSimulatedColourBlindness) {
    const std::vector<LinearColour> colours = DrawnColours();
    for (const Vision& vision : kVisions) {
        for (std::size_t i = 0; i < colours.size(); ++i) {
            for (std::size_t j = i + 1; j < colours.size(); ++j) {
                const double difference = DeltaE(ToLab(Simulate(vision.matrix, colours[i])),
                                                 ToLab(Simulate(vision.matrix, colours[j])));
                EXPECT_GE(difference, 15.0) << vision.name << ": balls " << i + 1 << " and "
                                            << j + 1 << " differ by only " << difference;
            }
        }
    }
}

}  // namespace
}  // namespace art
