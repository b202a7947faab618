// The one 256-colour table shared by the board and the ball pictures of both
// ball sets.
//
// The sprites copy palette indices straight into the board picture, so every
// picture carries this same table.  As both sets share it, the board picture
// is the same in both, and a player's own ball pictures keep their colours
// whichever set the rest comes from.  It is laid out in sections:
//   0        the transparent key colour, never drawn
//   1        the cell floor the balls stand on
//   2..16    the rest of the board: grid, slopes
//   17..22   the balls' shadows on the floor, lightest first
//   23..26   the ring of a selected ball, fading into the floor
//   27       the window's background behind the previews
//   28..255  six sections of 38 colours, one per ball colour: its shades
//            from the dark rim to the highlight, its mark in the marked set,
//            and its edges blended into the floor and into the window's
//            background
// The board's and each ball's colours are picked from the rendered pictures
// themselves, so that each ball's section follows its own shading.
#pragma once

#include <array>
#include <span>

#include "gfx/artwork/LinearColour.h"

namespace art {

struct IndexRange {
    int first = 0;
    int count = 0;
};

class ArtPalette {
public:
    static constexpr int kSize = 256;
    static constexpr int kKeyIndex = 0;
    static constexpr int kCellIndex = 1;
    static constexpr IndexRange kBoard = {1, 16};
    static constexpr IndexRange kShadow = {17, 6};
    static constexpr IndexRange kRing = {23, 4};
    static constexpr int kWindowIndex = 27;
    static constexpr int kBallSectionSize = 38;

    // The palette of the artwork, built on first use.
    static const ArtPalette& Default();

    // Section of ball colour `colourNumber` (1..6).
    static IndexRange Ball(int colourNumber);

    const std::array<Srgb8, kSize>& Colours() const { return m_colours; }

    // The index of the entry nearest to `colour` within the ranges; the
    // first of equally near entries wins.
    int Nearest(Srgb8 colour, std::span<const IndexRange> ranges) const;

private:
    ArtPalette();
    void FillBoard();
    void FillSharedRamps();
    void FillBall(int colourNumber);

    std::array<Srgb8, kSize> m_colours{};
};

}  // namespace art
