// The colours and measures of the default artwork, in one place.
//
// The six ball colours were chosen by measure, so that they stay apart for
// players who do not see all hues.  Taking each drawn ball as the mean colour
// of its normal frame, every two balls differ by at least 25 in CIEDE2000 for
// normal vision and by at least 15 as simulated for protanopia, deuteranopia
// and tritanopia, and every ball stands out from the cell floor, in both ball
// sets.  Colours that collapse onto one hue for red- or green-blind eyes (red,
// green, orange, yellow) differ in lightness; the artwork tests hold the
// figures.
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
    {207, 4, 0},  // 1 red
    {14, 153, 121},  // 2 green
    {157, 100, 244},  // 3 violet
    {255, 251, 0},  // 4 yellow
    {110, 210, 255},  // 5 sky blue
    {232, 147, 0},  // 6 orange
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

// The balls come in two sets: plain, told apart by colour alone, and marked,
// where every colour also carries a shape of its own painted on the ball, so
// that no ball needs its colour to be seen.
enum class BallSet { plain, marked };
enum class BallMark { none, ring, cross, triangle, square, star, bar };

// The shapes of balls 1..6 in the marked set.
inline constexpr std::array<BallMark, kBallColourCount> kBallMarks = {{
    BallMark::ring,
    BallMark::cross,
    BallMark::triangle,
    BallMark::square,
    BallMark::star,
    BallMark::bar,
}};
// The paint of a mark: the ball's own colour darkened this much, matte, so
// that the mark stands out by its lightness and is shaded with the ball.
// Every ball colour is light enough for it to show.
inline constexpr double kMarkShade = 0.1;

}  // namespace art
