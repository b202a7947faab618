// Glossy balls: the shading of the sphere and the scenes of a ball frame and
// of a preview.
#pragma once

#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/Supersample.h"

namespace art {

enum class BallLook { normal, selected };

enum class Finish { glossy, matte };

// The lit colour of the sphere at a point of its disc, given as offsets from
// the centre in units of the radius (dx * dx + dy * dy < 1).  A matte finish
// has no highlight.
LinearColour ShadeSphere(LinearColour albedo, Finish finish, BallLook look, double dx, double dy);

// Whether a point of the ball's disc, given as for ShadeSphere, lies in the
// shape `mark`.  Each shape covers about a sixth of the disc, so that marks
// darken every ball alike.
bool InsideMark(BallMark mark, double dx, double dy);

// A 40 x 40 ball frame standing on a cell: the ball with its mark, its shadow
// on the floor and, when selected, the ring around it.  Only the floor is
// uncovered.
ScenePoint BallFramePoint(LinearColour albedo, BallMark mark, BallLook look, double x, double y);

// The preview: a smaller ball with its mark on the window's background, all
// covered.
ScenePoint PreviewPoint(LinearColour albedo, BallMark mark, double x, double y);

// The ring of a selected ball, from the frame's centre.
inline constexpr double kRingInnerRadius = 15.6;
inline constexpr double kRingOuterRadius = 17.0;

}  // namespace art
