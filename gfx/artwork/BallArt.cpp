#include "gfx/artwork/BallArt.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace art {

namespace {

struct Vector3 {
    double x;
    double y;
    double z;
};

double Dot(Vector3 first, Vector3 second) { return first.x * second.x + first.y * second.y + first.z * second.z; }

Vector3 Normalised(Vector3 vector) {
    const double length = std::sqrt(Dot(vector, vector));
    return {vector.x / length, vector.y / length, vector.z / length};
}

// Screen y grows downwards; z points at the viewer.
struct Lighting {
    Vector3 toLight = Normalised({-0.5, -0.7, 0.75});
    Vector3 halfway = Normalised({toLight.x, toLight.y, toLight.z + 1.0});
    // Light passing through the ball gathers on the side away from the lamp.
    Vector3 glowDirection = Normalised({0.35, 0.8, 0.45});
};

// Built on first use, so that nothing depends on the order of static setup.
const Lighting& TheLighting() {
    static const Lighting lighting;
    return lighting;
}

constexpr LinearColour kWhite = {1.0, 1.0, 1.0};

double Distance(double x, double y, double centreX, double centreY) { return std::hypot(x - centreX, y - centreY); }

// Inside a regular star of `points` points standing on its tip, its outer
// corners `outer` and its inner ones `inner` from the centre?  With an inner
// radius of half the outer one, three points make a triangle.
bool InsideStar(int points, double outer, double inner, double x, double y) {
    const int corners = 2 * points;
    const auto corner = [points, outer, inner](int index) {
        const double radius = index % 2 == 0 ? outer : inner;
        const double angle = -std::numbers::pi / 2.0 + index * std::numbers::pi / points;
        return std::pair{radius * std::cos(angle), radius * std::sin(angle)};
    };
    // Counts the edges that a ray to the right of the point crosses.
    bool inside = false;
    for (int index = 0; index < corners; ++index) {
        const auto [fromX, fromY] = corner(index);
        const auto [toX, toY] = corner((index + 1) % corners);
        if ((fromY > y) == (toY > y)) {
            continue;
        }
        const double crossingX = fromX + (y - fromY) * (toX - fromX) / (toY - fromY);
        if (x < crossingX) {
            inside = !inside;
        }
    }
    return inside;
}

bool InsideRectangle(double halfWidth, double halfHeight, double x, double y) {
    return std::abs(x) < halfWidth && std::abs(y) < halfHeight;
}

// A mark is matte paint: a highlight across it would break its outline.
LinearColour ShadeBall(LinearColour albedo, BallMark mark, BallLook look, double dx, double dy) {
    if (InsideMark(mark, dx, dy)) {
        return ShadeSphere(albedo * kMarkShade, Finish::matte, look, dx, dy);
    }
    return ShadeSphere(albedo, Finish::glossy, look, dx, dy);
}

}  // namespace

LinearColour ShadeSphere(LinearColour albedo, Finish finish, BallLook look, double dx, double dy) {
    const double depth = std::sqrt(std::max(0.0, 1.0 - dx * dx - dy * dy));
    const Lighting& lighting = TheLighting();
    const Vector3 normal = {dx, dy, depth};
    const double wrapped = std::max(0.0, (Dot(normal, lighting.toLight) + 0.35) / 1.35);
    const double glow = Smoothstep(0.2, 1.0, Dot(normal, lighting.glowDirection));
    const bool selected = look == BallLook::selected;

    const double lift = selected ? 1.3 : 1.0;
    LinearColour colour = albedo * (lift * (0.08 + 0.95 * wrapped + 0.55 * glow) + (selected ? 0.12 : 0.0));
    // The edge turns away from the viewer and darkens.
    colour = colour * (0.45 + 0.55 * std::sqrt(depth));
    if (finish == Finish::matte) {
        return colour;
    }
    const double facing = std::max(0.0, Dot(normal, lighting.halfway));
    const double highlight = 0.95 * std::pow(facing, 90.0) + 0.18 * std::pow(facing, 10.0);
    return colour + kWhite * (selected ? highlight * 1.15 : highlight);
}

bool InsideMark(BallMark mark, double dx, double dy) {
    switch (mark) {
    case BallMark::none: return false;
    case BallMark::ring: {
        const double fromCentre = std::hypot(dx, dy);
        return fromCentre >= 0.32 && fromCentre < 0.52;
    }
    case BallMark::cross: return InsideRectangle(0.13, 0.58, dx, dy) || InsideRectangle(0.58, 0.13, dx, dy);
    case BallMark::triangle: return InsideStar(3, 0.64, 0.32, dx, dy - 0.14);
    case BallMark::square: return InsideRectangle(0.365, 0.365, dx, dy);
    case BallMark::star: return InsideStar(5, 0.7, 0.26, dx, dy - 0.07);
    case BallMark::bar: return InsideRectangle(0.67, 0.2, dx, dy);
    }
    return false;
}

ScenePoint BallFramePoint(LinearColour albedo, BallMark mark, BallLook look, double x, double y) {
    const double fromCentre = Distance(x, y, kBallCentre, kBallCentre);
    if (fromCentre < kBallRadius) {
        const double dx = (x - kBallCentre) / kBallRadius;
        const double dy = (y - kBallCentre) / kBallRadius;
        return {ShadeBall(albedo, mark, look, dx, dy), true};
    }
    const LinearColour floor = ToLinear(kCellColour);
    if (look == BallLook::selected && fromCentre < kRingOuterRadius) {
        if (fromCentre >= kRingInnerRadius) {
            return {ToLinear(kRingColour), true};
        }
        // The ball's own light spills onto the floor inside the ring.
        const double spill = 1.0 - Smoothstep(kBallRadius, kRingInnerRadius, fromCentre);
        return {Mix(floor, albedo, 0.25 + 0.35 * spill), true};
    }
    const double shadowDistance = Distance(x, y, kBallCentre + 1.0, kBallCentre + 1.5);
    const double shadow = 0.6 * (1.0 - Smoothstep(kBallRadius - 1.5, kBallRadius + 1.0, shadowDistance));
    if (shadow > 0.02) {
        return {floor * (1.0 - shadow), true};
    }
    return {floor, false};
}

ScenePoint PreviewPoint(LinearColour albedo, BallMark mark, double x, double y) {
    const double centre = kPreviewSize / 2.0;
    const double fromCentre = Distance(x, y, centre, centre);
    if (fromCentre < kPreviewRadius) {
        const double dx = (x - centre) / kPreviewRadius;
        const double dy = (y - centre) / kPreviewRadius;
        return {ShadeBall(albedo, mark, BallLook::normal, dx, dy), true};
    }
    return {ToLinear(kWindowColour), true};
}

}  // namespace art
