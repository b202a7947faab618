// A picture's colours as plain RGB, for checking decoded pixels and for
// converting pictures to other formats.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/core/Types.h"

class CDIB;

// The most pixels converted: a larger picture gives an empty result rather
// than a buffer of gigabytes.
inline constexpr std::size_t kMaxRgbPixels = std::size_t{1} << 27;

// Red, green, blue per pixel, top row first, left to right, no padding,
// decoded as the screen shows them (CDibRowDecoder).  Empty for other
// depths and oversized pictures.
std::vector<BYTE> DibToRgb(const CDIB& dib);

// A binary PPM: "P6\n<width> <height>\n255\n", then DibToRgb's bytes.
// Empty when DibToRgb is.
std::vector<BYTE> DibToPpm(const CDIB& dib);
