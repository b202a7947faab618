// The pictures as palette indices into ArtPalette::Default().
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/artwork/ArtScheme.h"

namespace art {

// Pixels row by row, top row first.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    std::uint8_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// Each picture is drawn at `scale` 1 or kHiResScale (ArtRenders.h); the sizes
// below are those at scale 1 and grow with the scale.

// The empty board, 360 x 360, the same in every ball set.
IndexedPicture BoardPicture(int scale = 1);
// Ball colour 1..6 of a set: two 40 x 40 frames side by side, the normal look on the
// left and the selected look on the right.  Pixels where the cell floor shows
// through hold ArtPalette::kKeyIndex, which is also the top-left pixel.
IndexedPicture BallPicture(BallSet set, int colourNumber, int scale = 1);
// The small ball shown in the band for the next colours, 40 x 40.
IndexedPicture PreviewPicture(BallSet set, int colourNumber, int scale = 1);

}  // namespace art
