// The colours and measures of the default artwork, in one place.
//
// The six ball colours were chosen so that they stay apart for players who
// do not see all hues: their lightness climbs in clear steps from the violet
// (darkest) to the yellow (lightest), so that colours that collapse onto the
// same hue for red- or green-blind eyes (red, green, orange, yellow) still
// differ in lightness, and the two blue-side colours (violet, sky) sit at the
// two ends of the lightness scale.
#pragma once

#include <array>

#include "gfx/artwork/LinearColour.h"

namespace art {

inline constexpr int kBallColourCount = 6;
inline constexpr int kCellSize = 40;
inline constexpr int kBoardCells = 9;
inline constexpr int kBoardSize = kCellSize * kBoardCells;
inline constexpr int kPreviewSize = 40;

// Base colours of balls 1..6, in their mid tone.
inline constexpr std::array<Srgb8, kBallColourCount> kBallColours = {{
    {200, 30, 40},  // 1 red
    {20, 150, 110},  // 2 green
    {70, 38, 184},  // 3 violet
    {255, 230, 64},  // 4 yellow
    {110, 210, 255},  // 5 sky blue
    {245, 140, 20},  // 6 orange
}};

// Never drawn: the top-left pixel of every ball picture, so its index is the
// sprites' transparent one.
inline constexpr Srgb8 kKeyColour = {255, 0, 255};
// The floor of a cell, on which the balls stand.
inline constexpr Srgb8 kCellColour = {52, 58, 76};
// The raised grid between the cells.
inline constexpr Srgb8 kGridColour = {88, 96, 120};
// The ring around a selected ball.
inline constexpr Srgb8 kRingColour = {255, 246, 200};
// The background of the band where the previews are drawn.
inline constexpr Srgb8 kWindowColour = {255, 255, 255};

// Ball geometry inside a 40 x 40 frame, in pixels.
inline constexpr double kBallCentre = 20.0;
inline constexpr double kBallRadius = 14.5;
inline constexpr double kPreviewRadius = 12.5;

}  // namespace art
