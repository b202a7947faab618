#include "gfx/artwork/ArtRenders.h"

#include "gfx/artwork/BallArt.h"
#include "gfx/artwork/BoardArt.h"

namespace art {

namespace {

// Samples per pixel along each axis: the balls' curved edges get more.
constexpr int kBoardGrid = 4;
constexpr int kBallGrid = 8;

BallRenders RenderBall(Srgb8 base) {
    const LinearColour albedo = ToLinear(base);
    const auto frame = [albedo](BallLook look) {
        return RenderScene(kCellSize, kCellSize, kBallGrid,
                           [albedo, look](double x, double y) { return BallFramePoint(albedo, look, x, y); });
    };
    return {frame(BallLook::normal), frame(BallLook::selected),
            RenderScene(kPreviewSize, kPreviewSize, kBallGrid,
                        [albedo](double x, double y) { return PreviewPoint(albedo, x, y); })};
}

ArtRenders RenderAll() {
    ArtRenders renders;
    renders.board = RenderScene(kBoardSize, kBoardSize, kBoardGrid, BoardPoint);
    for (int i = 0; i < kBallColourCount; ++i) {
        renders.balls[static_cast<std::size_t>(i)] = RenderBall(kBallColours[static_cast<std::size_t>(i)]);
    }
    return renders;
}

}  // namespace

const ArtRenders& RenderedArtwork() {
    static const ArtRenders renders = RenderAll();
    return renders;
}

}  // namespace art
