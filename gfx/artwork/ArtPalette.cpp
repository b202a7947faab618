#include "gfx/artwork/ArtPalette.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <vector>

#include "gfx/artwork/ArtRenders.h"
#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/MedianCut.h"

namespace art {

namespace {

// Ball colours this close to a shared entry are left to that entry.
constexpr int kCloseToShared = 40;

void AppendColours(std::vector<Srgb8>& colours, const std::vector<PixelSample>& pixels) {
    for (const PixelSample& pixel : pixels) {
        if (pixel.coverage > 0.0) {
            colours.push_back(ToSrgb8(pixel.colour));
        }
    }
}

}  // namespace

const ArtPalette& ArtPalette::Default() {
    static const ArtPalette palette;
    return palette;
}

IndexRange ArtPalette::Ball(int colourNumber) {
    return {kWindowIndex + 1 + (colourNumber - 1) * kBallSectionSize, kBallSectionSize};
}

ArtPalette::ArtPalette() {
    m_colours[kKeyIndex] = kKeyColour;
    m_colours[kCellIndex] = kCellColour;
    m_colours[kWindowIndex] = kWindowColour;
    FillBoard();
    FillSharedRamps();
    for (int colourNumber = 1; colourNumber <= kBallColourCount; ++colourNumber) {
        FillBall(colourNumber);
    }
}

void ArtPalette::FillBoard() {
    std::vector<Srgb8> colours;
    AppendColours(colours, RenderedBoard());
    std::erase(colours, kCellColour);
    const std::vector<Srgb8> picked = MedianCut(colours, kBoard.count - 1);
    for (int i = 1; i < kBoard.count; ++i) {
        const std::size_t pickedIndex = std::min(static_cast<std::size_t>(i - 1), picked.size() - 1);
        m_colours[static_cast<std::size_t>(kBoard.first + i)] = picked[pickedIndex];
    }
}

void ArtPalette::FillSharedRamps() {
    const LinearColour floor = ToLinear(kCellColour);
    for (int i = 0; i < kShadow.count; ++i) {
        const double darkness = 0.6 * (i + 1) / kShadow.count;
        m_colours[static_cast<std::size_t>(kShadow.first + i)] = ToSrgb8(floor * (1.0 - darkness));
    }
    const LinearColour ring = ToLinear(kRingColour);
    for (int i = 0; i < kRing.count; ++i) {
        const double amount = 1.0 - static_cast<double>(i) / kRing.count;
        m_colours[static_cast<std::size_t>(kRing.first + i)] = ToSrgb8(Mix(floor, ring, amount));
    }
}

void ArtPalette::FillBall(int colourNumber) {
    std::vector<Srgb8> colours;
    for (const BallSet set : {BallSet::plain, BallSet::marked}) {
        const BallRenders& renders = RenderedBalls(set)[static_cast<std::size_t>(colourNumber - 1)];
        AppendColours(colours, renders.normalFrame);
        AppendColours(colours, renders.selectedFrame);
        AppendColours(colours, renders.preview);
    }
    // Leave out what the shared entries draw already.
    const IndexRange shared[] = {{kCellIndex, 1}, kShadow, kRing, {kWindowIndex, 1}};
    std::erase_if(colours, [this, &shared](Srgb8 colour) {
        const auto nearest = static_cast<std::size_t>(Nearest(colour, shared));
        return ColourDistance(colour, m_colours[nearest]) <= kCloseToShared;
    });
    const IndexRange section = Ball(colourNumber);
    const std::vector<Srgb8> picked = MedianCut(colours, section.count);
    for (int i = 0; i < section.count; ++i) {
        const std::size_t pickedIndex = std::min(static_cast<std::size_t>(i), picked.size() - 1);
        m_colours[static_cast<std::size_t>(section.first + i)] = picked[pickedIndex];
    }
}

int ArtPalette::Nearest(Srgb8 colour, std::span<const IndexRange> ranges) const {
    int best = ranges.empty() ? kKeyIndex : ranges.front().first;
    int bestDistance = INT_MAX;
    for (const IndexRange range : ranges) {
        for (int index = range.first; index < range.first + range.count; ++index) {
            const int distance = ColourDistance(colour, m_colours[static_cast<std::size_t>(index)]);
            if (distance < bestDistance) {
                best = index;
                bestDistance = distance;
            }
        }
    }
    return best;
}

}  // namespace art
