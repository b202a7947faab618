// Glossy balls: the shading of the sphere and the scenes of a ball frame and
// of a preview.
#pragma once

#include "gfx/artwork/Supersample.h"

namespace art {

enum class BallLook { normal, selected };

// The lit colour of the sphere at a point of its disc, given as offsets from
// the centre in units of the radius (dx * dx + dy * dy < 1).
LinearColour ShadeSphere(LinearColour albedo, BallLook look, double dx, double dy);

// A 40 x 40 ball frame standing on a cell: the ball, its shadow on the floor
// and, when selected, the ring around it.  Only the floor is uncovered.
ScenePoint BallFramePoint(LinearColour albedo, BallLook look, double x, double y);

// The preview: a smaller ball on the window's background, all covered.
ScenePoint PreviewPoint(LinearColour albedo, double x, double y);

// The ring of a selected ball, from the frame's centre.
inline constexpr double kRingInnerRadius = 15.6;
inline constexpr double kRingOuterRadius = 17.0;

}  // namespace art
