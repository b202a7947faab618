#include "gfx/artwork/Supersample.h"

#include <cstddef>

namespace art {

namespace {

PixelSample RenderPixel(int x, int y, int grid, const Scene& scene) {
    LinearColour sum;
    int coveredCount = 0;
    for (int row = 0; row < grid; ++row) {
        for (int column = 0; column < grid; ++column) {
            const double sampleX = x + (column + 0.5) / grid;
            const double sampleY = y + (row + 0.5) / grid;
            const ScenePoint point = scene(sampleX, sampleY);
            sum = sum + point.colour;
            coveredCount += point.covered ? 1 : 0;
        }
    }
    const double count = static_cast<double>(grid * grid);
    return {sum * (1.0 / count), coveredCount / count};
}

}  // namespace

std::vector<PixelSample> RenderScene(int width, int height, int grid, const Scene& scene) {
    std::vector<PixelSample> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(RenderPixel(x, y, grid, scene));
        }
    }
    return pixels;
}

}  // namespace art
