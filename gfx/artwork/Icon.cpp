#include "gfx/artwork/Icon.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/BallArt.h"
#include "gfx/artwork/BoardArt.h"
#include "gfx/artwork/Supersample.h"

namespace art {

namespace {

constexpr int kLargestIcon = 1024;
// Samples per pixel along each axis; large icons need fewer.
constexpr int kSmallIconGrid = 6;
constexpr int kLargeIconGrid = 3;
constexpr int kLargeIcon = 128;
// Below this size the icon shows a single cell.
constexpr int kSmallIcon = 32;

// Colour numbers of the balls in the cells of the large icon, row by row.
constexpr int kLargeIconBalls[2][2] = {{1, 4}, {5, 3}};
constexpr int kSmallIconBall = 1;

// Inside a square of side `side` with rounded corners?
bool InsideRoundedSquare(double x, double y, double side, double cornerRadius) {
    const double half = side / 2.0;
    const double qx = std::max(std::abs(x - half) - (half - cornerRadius), 0.0);
    const double qy = std::max(std::abs(y - half) - (half - cornerRadius), 0.0);
    return qx * qx + qy * qy < cornerRadius * cornerRadius;
}

// The icon in board units: `cells` x `cells` board cells, 40 units each.
ScenePoint TilePoint(int cells, double u, double v) {
    const double side = kCellSize * cells;
    if (!InsideRoundedSquare(u, v, side, side * 0.16)) {
        return {{}, false};
    }
    const int column = std::clamp(static_cast<int>(u / kCellSize), 0, cells - 1);
    const int row = std::clamp(static_cast<int>(v / kCellSize), 0, cells - 1);
    const int ball = cells == 1 ? kSmallIconBall : kLargeIconBalls[row][column];
    const LinearColour albedo = ToLinear(kBallColours[static_cast<std::size_t>(ball - 1)]);
    const ScenePoint onBall = BallFramePoint(albedo, BallMark::none, BallLook::normal, u - column * kCellSize,
                                             v - row * kCellSize);
    if (onBall.covered) {
        return onBall;
    }
    return BoardPoint(u, v);
}

std::uint32_t ToArgb(const PixelSample& pixel) {
    if (pixel.coverage <= 0.0) {
        return 0;
    }
    // Uncovered samples added black: undo that to get the straight colour.
    const Srgb8 colour = ToSrgb8(pixel.colour * (1.0 / pixel.coverage));
    const auto alpha = static_cast<std::uint32_t>(std::lround(pixel.coverage * 255.0));
    return alpha << 24 | static_cast<std::uint32_t>(colour.red) << 16 | static_cast<std::uint32_t>(colour.green) << 8 |
           colour.blue;
}

}  // namespace

std::vector<std::uint32_t> DrawIcon(int size) {
    if (size < 1 || size > kLargestIcon) {
        return {};
    }
    const int cells = size < kSmallIcon ? 1 : 2;
    const double unitsPerPixel = static_cast<double>(kCellSize * cells) / size;
    const std::vector<PixelSample> pixels = RenderScene(
        size, size, size < kLargeIcon ? kSmallIconGrid : kLargeIconGrid,
        [cells, unitsPerPixel](double x, double y) { return TilePoint(cells, x * unitsPerPixel, y * unitsPerPixel); });
    std::vector<std::uint32_t> argb;
    argb.reserve(pixels.size());
    std::transform(pixels.begin(), pixels.end(), std::back_inserter(argb), ToArgb);
    return argb;
}

}  // namespace art
