// The empty board: nine by nine recessed cells in a raised grid.
#pragma once

#include "gfx/artwork/Supersample.h"

namespace art {

// The board at a point of the 360 x 360 picture; every point is covered.
ScenePoint BoardPoint(double x, double y);

// How far inside a cell, measured from its centre along either axis, the
// floor stays exactly the cell colour: balls and their shadows fit in here.
inline constexpr double kFlatFloorReach = 17.0;

}  // namespace art
