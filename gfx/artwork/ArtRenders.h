// The artwork rendered in full colour, before it is reduced to the palette.
// Rendered once per process and kept: the palette is chosen from these
// pixels and the pictures are then made from them.
#pragma once

#include <array>
#include <vector>

#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/Supersample.h"

namespace art {

struct BallRenders {
    std::vector<PixelSample> normalFrame;  // 40 x 40
    std::vector<PixelSample> selectedFrame;  // 40 x 40
    std::vector<PixelSample> preview;  // kPreviewSize x kPreviewSize
};

using BallSetRenders = std::array<BallRenders, kBallColourCount>;

// The empty board, kBoardSize x kBoardSize, the same in every ball set.
const std::vector<PixelSample>& RenderedBoard();
// Balls 1..6 of a set, at indices 0..5.
const BallSetRenders& RenderedBalls(BallSet set);

}  // namespace art
