// Both ball sets as written into a picture folder, measured as players see them.  Each ball is the mean linear colour
// of the opaque pixels of its normal frame; two colours are compared by CIEDE2000 as seen with normal vision and as
// simulated for protanopia, deuteranopia and tritanopia (the full-severity matrices of Machado, Oliveira and Fernandes,
// 2009, applied in linear RGB).  The marked set's balls must also differ with their colour taken away.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "gfx/DIB.h"
#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/Artwork.h"
#include "tests/support/Files.h"

namespace art {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

struct Vision {
    const char* name;
    Matrix simulation;
    double minimumBetweenBalls;
};

constexpr Vision kVisions[] = {
    {"normal", {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}, 25.0},
    {"protanopia",
     {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}},
     15.0},
    {"deuteranopia",
     {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}},
     15.0},
    {"tritanopia",
     {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}},
     15.0},
};
// Every ball must stand out this much from the empty cell, for every vision.
constexpr double kMinimumFromCell = 15.0;

struct Lab {
    double lightness;
    double a;
    double b;
};

Lab ToLab(const Matrix& simulation, LinearColour colour) {
    const std::array<double, 3> rgb = {colour.red, colour.green, colour.blue};
    std::array<double, 3> seen{};
    for (std::size_t row = 0; row < 3; ++row) {
        seen[row] = simulation[row][0] * rgb[0] + simulation[row][1] * rgb[1] + simulation[row][2] * rgb[2];
    }
    // XYZ relative to the D65 white, then CIELAB.
    const double red = (0.4124564 * seen[0] + 0.3575761 * seen[1] + 0.1804375 * seen[2]) / 0.95047;
    const double luminance = 0.2126729 * seen[0] + 0.7151522 * seen[1] + 0.0721750 * seen[2];
    const double blue = (0.0193339 * seen[0] + 0.1191920 * seen[1] + 0.9503041 * seen[2]) / 1.08883;
    const auto curve = [](double value) {
        return value > 216.0 / 24389.0 ? std::cbrt(value) : (24389.0 / 27.0 * value + 16.0) / 116.0;
    };
    return {116.0 * curve(luminance) - 16.0, 500.0 * (curve(red) - curve(luminance)),
            200.0 * (curve(luminance) - curve(blue))};
}

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }
double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }
double Hue(double b, double a) {
    return a == 0.0 && b == 0.0 ? 0.0 : std::fmod(Degrees(std::atan2(b, a)) + 360.0, 360.0);
}

double Ciede2000(const Lab& first, const Lab& second) {
    const double chromaMean = (std::hypot(first.a, first.b) + std::hypot(second.a, second.b)) / 2.0;
    const double chromaMean7 = std::pow(chromaMean, 7.0);
    const double aScale = 1.5 - 0.5 * std::sqrt(chromaMean7 / (chromaMean7 + std::pow(25.0, 7.0)));
    const double chroma1 = std::hypot(aScale * first.a, first.b);
    const double chroma2 = std::hypot(aScale * second.a, second.b);
    const double hue1 = Hue(first.b, aScale * first.a);
    const double hue2 = Hue(second.b, aScale * second.a);
    const bool achromatic = chroma1 * chroma2 == 0.0;
    double hueStep = hue2 - hue1;
    if (hueStep > 180.0) {
        hueStep -= 360.0;
    } else if (hueStep < -180.0) {
        hueStep += 360.0;
    }
    hueStep = achromatic ? 0.0 : hueStep;
    double hueMean = (hue1 + hue2) / 2.0;
    if (!achromatic && std::abs(hue1 - hue2) > 180.0) {
        hueMean += hue1 + hue2 < 360.0 ? 180.0 : -180.0;
    }
    hueMean = achromatic ? hue1 + hue2 : hueMean;

    const double lightnessMean = (first.lightness + second.lightness) / 2.0;
    const double primeChromaMean = (chroma1 + chroma2) / 2.0;
    const double hueWeight = 1.0 - 0.17 * std::cos(Radians(hueMean - 30.0)) + 0.24 * std::cos(Radians(2.0 * hueMean)) +
                             0.32 * std::cos(Radians(3.0 * hueMean + 6.0)) -
                             0.20 * std::cos(Radians(4.0 * hueMean - 63.0));
    const double lightnessOff = (lightnessMean - 50.0) * (lightnessMean - 50.0);
    const double lightnessScale = 1.0 + 0.015 * lightnessOff / std::sqrt(20.0 + lightnessOff);
    const double chromaScale = 1.0 + 0.045 * primeChromaMean;
    const double hueScale = 1.0 + 0.015 * primeChromaMean * hueWeight;
    const double primeChroma7 = std::pow(primeChromaMean, 7.0);
    const double rotation = -2.0 * std::sqrt(primeChroma7 / (primeChroma7 + std::pow(25.0, 7.0))) *
                            std::sin(Radians(60.0 * std::exp(-std::pow((hueMean - 275.0) / 25.0, 2.0))));
    const double lightnessTerm = (second.lightness - first.lightness) / lightnessScale;
    const double chromaTerm = (chroma2 - chroma1) / chromaScale;
    const double hueTerm = 2.0 * std::sqrt(chroma1 * chroma2) * std::sin(Radians(hueStep / 2.0)) / hueScale;
    return std::sqrt(lightnessTerm * lightnessTerm + chromaTerm * chromaTerm + hueTerm * hueTerm +
                     rotation * chromaTerm * hueTerm);
}

Srgb8 ColourAt(const CDIB& picture, int x, int y) {
    const RGBQUAD& entry = picture.GetColorTable()[*picture.GetPixelAddress(x, y)];
    return {entry.rgbRed, entry.rgbGreen, entry.rgbBlue};
}

// The six balls of a set, as the game loads them.
struct WrittenSet {
    CScratchFolder folder;
    std::array<CDIB, kBallColourCount> balls;
    std::array<CDIB, kBallColourCount> previews;

    explicit WrittenSet(BallSet set) {
        std::string failedFile;
        EXPECT_TRUE(WriteArtwork(folder.Path().string(), set, failedFile)) << failedFile;
        for (std::size_t i = 0; i < balls.size(); ++i) {
            const std::string number = std::to_string(i + 1);
            EXPECT_TRUE(balls[i].Load((folder / (number + ".bmp")).c_str()));
            EXPECT_TRUE(previews[i].Load((folder / (number + "-d.bmp")).c_str()));
        }
    }
};

LinearColour MeanOfNormalFrame(const CDIB& ball) {
    const BYTE transparent = *ball.GetPixelAddress(0, 0);
    LinearColour sum;
    int count = 0;
    for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kCellSize; ++x) {
            if (*ball.GetPixelAddress(x, y) != transparent) {
                sum = sum + ToLinear(ColourAt(ball, x, y));
                ++count;
            }
        }
    }
    return sum * (1.0 / count);
}

TEST(BallSets, ColoursStayApartForEveryVision) {
    for (const BallSet set : {BallSet::plain, BallSet::marked}) {
        const WrittenSet written(set);
        for (const Vision& vision : kVisions) {
            SCOPED_TRACE(std::string(set == BallSet::plain ? "plain " : "marked ") + vision.name);
            std::array<Lab, kBallColourCount> balls{};
            for (std::size_t i = 0; i < balls.size(); ++i) {
                balls[i] = ToLab(vision.simulation, MeanOfNormalFrame(written.balls[i]));
            }
            const Lab cell = ToLab(vision.simulation, ToLinear(kCellColour));
            for (std::size_t i = 0; i < balls.size(); ++i) {
                EXPECT_GE(Ciede2000(balls[i], cell), kMinimumFromCell) << "ball " << i + 1 << " and the cell";
                for (std::size_t j = i + 1; j < balls.size(); ++j) {
                    EXPECT_GE(Ciede2000(balls[i], balls[j]), vision.minimumBetweenBalls)
                        << "balls " << i + 1 << " and " << j + 1;
                }
            }
        }
    }
}

// Where the balls' lightness is compared: the middle of each picture, clear of the anti-aliased edge.
struct View {
    const char* name;
    bool preview;
    int left;
    double radius;
};
constexpr View kViews[] = {
    {"normal frame", false, 0, 13.0}, {"selected frame", false, kCellSize, 13.0}, {"preview", true, 0, 11.0}};
// Root mean square difference in L* that two balls' patterns keep at the least.
constexpr double kMinimumShapeDifference = 10.0;

// The ball's lightness over the middle of the picture, less its mean: what is left with colour and overall lightness
// taken away.
std::vector<double> LightnessPattern(const CDIB& picture, const View& view) {
    std::vector<double> pattern;
    double sum = 0.0;
    for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kCellSize; ++x) {
            if (std::hypot(x + 0.5 - kBallCentre, y + 0.5 - kBallCentre) < view.radius) {
                pattern.push_back(Lightness(ColourAt(picture, view.left + x, y)));
                sum += pattern.back();
            }
        }
    }
    for (double& value : pattern) {
        value -= sum / static_cast<double>(pattern.size());
    }
    return pattern;
}

TEST(BallSets, MarkedBallsDifferInShapeWithoutColour) {
    const WrittenSet written(BallSet::marked);
    for (const View& view : kViews) {
        std::array<std::vector<double>, kBallColourCount> patterns;
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            patterns[i] = LightnessPattern(view.preview ? written.previews[i] : written.balls[i], view);
        }
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            for (std::size_t j = i + 1; j < patterns.size(); ++j) {
                double squares = 0.0;
                for (std::size_t k = 0; k < patterns[i].size(); ++k) {
                    squares += (patterns[i][k] - patterns[j][k]) * (patterns[i][k] - patterns[j][k]);
                }
                EXPECT_GE(std::sqrt(squares / static_cast<double>(patterns[i].size())), kMinimumShapeDifference)
                    << view.name << ", balls " << i + 1 << " and " << j + 1;
            }
        }
    }
}

}  // namespace
}  // namespace art
