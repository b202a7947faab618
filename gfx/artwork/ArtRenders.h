// The artwork rendered in full colour, before it is reduced to the palette.
// Rendered once per process and kept: the palette is chosen from these
// pixels and the pictures are then made from them.
//
// Each scene is also rendered at twice the size for screens of high pixel
// density: the same scene sampled at finer resolution, not the 1x pixels
// enlarged.  The palette is chosen from the 1x renders alone.
#pragma once

#include <array>
#include <vector>

#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/Supersample.h"

namespace art {

// Picture sizes in pixels are multiplied by this; 1 or kHiResScale.
inline constexpr int kHiResScale = 2;

struct BallRenders {
    std::vector<PixelSample> normalFrame;  // 40 x 40 at scale 1
    std::vector<PixelSample> selectedFrame;  // 40 x 40 at scale 1
    std::vector<PixelSample> preview;  // kPreviewSize x kPreviewSize at scale 1
};

using BallSetRenders = std::array<BallRenders, kBallColourCount>;

// The empty board, kBoardSize x kBoardSize at scale 1, the same in every ball
// set.
const std::vector<PixelSample>& RenderedBoard(int scale = 1);
// Balls 1..6 of a set, at indices 0..5.
const BallSetRenders& RenderedBalls(BallSet set, int scale = 1);

}  // namespace art
