#include "gfx/artwork/ArtRenders.h"

#include "gfx/artwork/BallArt.h"
#include "gfx/artwork/BoardArt.h"

namespace art {

namespace {

// Samples per pixel along each axis: the balls' curved edges get more.
constexpr int kBoardGrid = 4;
constexpr int kBallGrid = 8;

BallRenders RenderBall(Srgb8 base, BallMark mark) {
    const LinearColour albedo = ToLinear(base);
    const auto frame = [albedo, mark](BallLook look) {
        return RenderScene(kCellSize, kCellSize, kBallGrid, [albedo, mark, look](double x, double y) {
            return BallFramePoint(albedo, mark, look, x, y);
        });
    };
    return {frame(BallLook::normal), frame(BallLook::selected),
            RenderScene(kPreviewSize, kPreviewSize, kBallGrid,
                        [albedo, mark](double x, double y) { return PreviewPoint(albedo, mark, x, y); })};
}

BallSetRenders RenderBalls(BallSet set) {
    BallSetRenders renders;
    for (std::size_t i = 0; i < renders.size(); ++i) {
        const BallMark mark = set == BallSet::marked ? kBallMarks[i] : BallMark::none;
        renders[i] = RenderBall(kBallColours[i], mark);
    }
    return renders;
}

}  // namespace

const std::vector<PixelSample>& RenderedBoard() {
    static const std::vector<PixelSample> board = RenderScene(kBoardSize, kBoardSize, kBoardGrid, BoardPoint);
    return board;
}

const BallSetRenders& RenderedBalls(BallSet set) {
    if (set == BallSet::marked) {
        static const BallSetRenders marked = RenderBalls(BallSet::marked);
        return marked;
    }
    static const BallSetRenders plain = RenderBalls(BallSet::plain);
    return plain;
}

}  // namespace art
