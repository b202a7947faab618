#include "gfx/artwork/BoardArt.h"

#include <algorithm>
#include <cmath>

#include "gfx/artwork/ArtScheme.h"

namespace art {

namespace {

// Each cell's floor is a rounded square set into the grid.
constexpr double kFloorHalfSize = 18.5;
constexpr double kFloorCornerRadius = 5.0;
// Width of the shaded slope at the floor's edge.
constexpr double kSlopeWidth = 1.5;

struct FloorDistance {
    double signedDistance;  // negative inside the floor
    double normalX;  // outward direction of the nearest edge
    double normalY;
};

// Distance to a rounded square centred on the origin.
FloorDistance DistanceToFloorEdge(double px, double py) {
    const double inner = kFloorHalfSize - kFloorCornerRadius;
    const double qx = std::abs(px) - inner;
    const double qy = std::abs(py) - inner;
    const double signX = px < 0 ? -1.0 : 1.0;
    const double signY = py < 0 ? -1.0 : 1.0;
    if (qx > 0.0 && qy > 0.0) {
        const double length = std::sqrt(qx * qx + qy * qy);
        return {length - kFloorCornerRadius, signX * qx / length, signY * qy / length};
    }
    if (qx > qy) {
        return {qx - kFloorCornerRadius, signX, 0.0};
    }
    return {qy - kFloorCornerRadius, 0.0, signY};
}

// The light comes from the top left, so a recessed floor's upper and left
// slopes lie in shadow and its lower and right slopes catch the light.
LinearColour FloorColour(const FloorDistance& edge) {
    const double depth = -edge.signedDistance;
    const double nearEdge = 1.0 - Smoothstep(0.0, kSlopeWidth, depth);
    const double facing = -(edge.normalX * -0.6 + edge.normalY * -0.8);
    const double light = 1.0 + nearEdge * (0.55 * facing - 0.25);
    return ToLinear(kCellColour) * light;
}

LinearColour GridColour(const FloorDistance& edge) {
    // The grid's crest is lit a little more than its foot.
    const double height = Smoothstep(0.0, 1.5, edge.signedDistance);
    return ToLinear(kGridColour) * (0.8 + 0.2 * height);
}

}  // namespace

ScenePoint BoardPoint(double x, double y) {
    const double cellX = std::fmod(x, kCellSize) - kCellSize / 2.0;
    const double cellY = std::fmod(y, kCellSize) - kCellSize / 2.0;
    const FloorDistance edge = DistanceToFloorEdge(cellX, cellY);
    if (edge.signedDistance > 0.0) {
        return {GridColour(edge), true};
    }
    return {FloorColour(edge), true};
}

}  // namespace art
