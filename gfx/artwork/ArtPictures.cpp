#include "gfx/artwork/ArtPictures.h"

#include <cstddef>
#include <span>

#include "gfx/artwork/ArtPalette.h"
#include "gfx/artwork/ArtRenders.h"
#include "gfx/artwork/ArtScheme.h"

namespace art {

namespace {

enum class Uncovered { opaque, transparent };

// Copies `pixels` (width x height) into `picture` at column `left`.
void Quantise(const std::vector<PixelSample>& pixels, int width, int height, std::span<const IndexRange> ranges,
              Uncovered uncovered, IndexedPicture& picture, int left) {
    const ArtPalette& palette = ArtPalette::Default();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PixelSample& pixel = pixels[static_cast<std::size_t>(y * width + x)];
            int index = ArtPalette::kKeyIndex;
            if (pixel.coverage > 0.0 || uncovered == Uncovered::opaque) {
                index = palette.Nearest(ToSrgb8(pixel.colour), ranges);
            }
            picture.pixels[static_cast<std::size_t>(y * picture.width + left + x)] = static_cast<std::uint8_t>(index);
        }
    }
}

IndexedPicture Blank(int width, int height) {
    return {width, height,
            std::vector<std::uint8_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height))};
}

const BallRenders& RendersOf(BallSet set, int colourNumber, int scale) {
    return RenderedBalls(set, scale)[static_cast<std::size_t>(colourNumber - 1)];
}

}  // namespace

IndexedPicture BoardPicture(int scale) {
    const int size = kBoardSize * scale;
    IndexedPicture picture = Blank(size, size);
    const IndexRange ranges[] = {ArtPalette::kBoard};
    Quantise(RenderedBoard(scale), size, size, ranges, Uncovered::opaque, picture, 0);
    return picture;
}

IndexedPicture BallPicture(BallSet set, int colourNumber, int scale) {
    const int frameSize = kCellSize * scale;
    IndexedPicture picture = Blank(2 * frameSize, frameSize);
    const IndexRange ranges[] = {
        ArtPalette::Ball(colourNumber), {ArtPalette::kCellIndex, 1}, ArtPalette::kShadow, ArtPalette::kRing};
    const BallRenders& renders = RendersOf(set, colourNumber, scale);
    Quantise(renders.normalFrame, frameSize, frameSize, ranges, Uncovered::transparent, picture, 0);
    Quantise(renders.selectedFrame, frameSize, frameSize, ranges, Uncovered::transparent, picture, frameSize);
    return picture;
}

IndexedPicture PreviewPicture(BallSet set, int colourNumber, int scale) {
    const int size = kPreviewSize * scale;
    IndexedPicture picture = Blank(size, size);
    const IndexRange ranges[] = {ArtPalette::Ball(colourNumber), {ArtPalette::kWindowIndex, 1}};
    Quantise(RendersOf(set, colourNumber, scale).preview, size, size, ranges, Uncovered::opaque, picture, 0);
    return picture;
}

}  // namespace art
