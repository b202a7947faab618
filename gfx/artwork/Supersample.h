// Renders a picture by averaging a grid of point samples in each pixel.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "gfx/artwork/LinearColour.h"

namespace art {

// What a scene shows at one point: its colour, and whether anything of the
// picture's own is there (false: only the background shows).
struct ScenePoint {
    LinearColour colour;
    bool covered = false;
};

// One rendered pixel: the average colour and the share of covered samples.
struct PixelSample {
    LinearColour colour;
    double coverage = 0.0;
};

// 0 below edge0, 1 above edge1, a smooth S-curve between.
inline double Smoothstep(double edge0, double edge1, double value) {
    const double position = std::clamp((value - edge0) / (edge1 - edge0), 0.0, 1.0);
    return position * position * (3.0 - 2.0 * position);
}

using Scene = std::function<ScenePoint(double x, double y)>;

// Pixels row by row from the top; pixel (x, y) spans [x, x + 1) x [y, y + 1).
// Samples sit at the centres of a grid x grid raster in each pixel.
std::vector<PixelSample> RenderScene(int width, int height, int grid, const Scene& scene);

}  // namespace art
