// Picks a few colours that stand for many, by cutting the colour cube.
#pragma once

#include <vector>

#include "gfx/artwork/LinearColour.h"

namespace art {

// Up to `count` representative colours of `colours`, darkest first; a colour
// that occurs often weighs more.  Boxes of colours are split where they span
// the most, at the median, until there are `count` of them; then each
// representative moves to the mean of the colours nearest to it, a few times
// over.  Exact integer work throughout, so every build gets the same result.
std::vector<Srgb8> MedianCut(std::vector<Srgb8> colours, int count);

}  // namespace art
