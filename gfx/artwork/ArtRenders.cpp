#include "gfx/artwork/ArtRenders.h"

#include <map>
#include <utility>

#include "gfx/artwork/BallArt.h"
#include "gfx/artwork/BoardArt.h"

namespace art {

namespace {

// Samples per pixel along each axis, at every scale: the balls' curved
// edges get more.
constexpr int kBoardGrid = 4;
constexpr int kBallGrid = 8;

// The scene of a `width` x `height` picture, rendered `scale` times as large.
std::vector<PixelSample> RenderAtScale(int width, int height, int scale, int grid, const Scene& scene) {
    const double step = 1.0 / scale;
    return RenderScene(width * scale, height * scale, grid,
                       [step, &scene](double x, double y) { return scene(x * step, y * step); });
}

BallRenders RenderBall(Srgb8 base, BallMark mark, int scale) {
    const LinearColour albedo = ToLinear(base);
    const auto frame = [albedo, mark, scale](BallLook look) {
        return RenderAtScale(kCellSize, kCellSize, scale, kBallGrid, [albedo, mark, look](double x, double y) {
            return BallFramePoint(albedo, mark, look, x, y);
        });
    };
    return {frame(BallLook::normal), frame(BallLook::selected),
            RenderAtScale(kPreviewSize, kPreviewSize, scale, kBallGrid,
                          [albedo, mark](double x, double y) { return PreviewPoint(albedo, mark, x, y); })};
}

BallSetRenders RenderBalls(BallSet set, int scale) {
    BallSetRenders renders;
    for (std::size_t i = 0; i < renders.size(); ++i) {
        const BallMark mark = set == BallSet::marked ? kBallMarks[i] : BallMark::none;
        renders[i] = RenderBall(kBallColours[i], mark, scale);
    }
    return renders;
}

// The value kept for `key`, made by `make` the first time it is asked for.
template <typename Key, typename Value, typename Make>
const Value& Kept(std::map<Key, Value>& kept, const Key& key, Make make) {
    auto [entry, added] = kept.try_emplace(key);
    if (added) {
        entry->second = make();
    }
    return entry->second;
}

}  // namespace

const std::vector<PixelSample>& RenderedBoard(int scale) {
    static std::map<int, std::vector<PixelSample>> boards;
    return Kept(boards, scale,
                [scale] { return RenderAtScale(kBoardSize, kBoardSize, scale, kBoardGrid, BoardPoint); });
}

const BallSetRenders& RenderedBalls(BallSet set, int scale) {
    static std::map<std::pair<BallSet, int>, BallSetRenders> sets;
    return Kept(sets, std::pair{set, scale}, [set, scale] { return RenderBalls(set, scale); });
}

}  // namespace art
