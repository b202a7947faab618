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

struct ArtRenders {
    std::vector<PixelSample> board;  // kBoardSize x kBoardSize
    std::array<BallRenders, kBallColourCount> balls;
};

const ArtRenders& RenderedArtwork();

}  // namespace art
