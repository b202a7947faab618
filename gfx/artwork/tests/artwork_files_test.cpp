// The picture folder as the game reads it: sizes, depths, the shared colour
// table, the transparent index, and what the two ball frames show.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "gfx/artwork/ArtPalette.h"
#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/tests/ArtTestSupport.h"

namespace art {
namespace {

using testing::LoadArtwork;
using testing::PixelOf;

constexpr int kFrame = kCellSize;

bool SameColourTable(const CDIB& a, const CDIB& b) {
    return a.GetColorCount() == b.GetColorCount() &&
           std::memcmp(a.GetColorTable(), b.GetColorTable(), sizeof(RGBQUAD) * std::size_t(a.GetColorCount())) == 0;
}

double DistanceFromFrameCentre(int x, int y) { return std::hypot(x + 0.5 - kBallCentre, y + 0.5 - kBallCentre); }

TEST(ArtworkFiles, BoardIsAnEightBitGridWithTheFullSharedTable) {
    const auto board = LoadArtwork("pole.bmp");
    ASSERT_TRUE(board);
    EXPECT_EQ(board->GetWidth(), kBoardSize);
    EXPECT_EQ(board->GetHeight(), kBoardSize);
    EXPECT_EQ(board->GetBitmapInfo()->bmiHeader.biBitCount, 8);
    EXPECT_EQ(board->GetColorCount(), 256);
    // The cell edges show: every cell's centre is floor, its corner is not.
    for (int cell = 0; cell < kBoardCells * kBoardCells; ++cell) {
        const int left = cell % kBoardCells * kCellSize;
        const int top = cell / kBoardCells * kCellSize;
        EXPECT_EQ(PixelOf(*board, left + 20, top + 20), ArtPalette::kCellIndex) << "cell " << cell;
        EXPECT_NE(PixelOf(*board, left, top), ArtPalette::kCellIndex) << "cell " << cell;
    }
}

// Per frame: the mean lightness of the disc, and the pixels drawn well
// outside it (the selected frame's ring).
std::pair<double, int> FrameLook(const CDIB& ball, int frame) {
    double lightness = 0.0;
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < kFrame; ++y) {
        for (int x = 0; x < kFrame; ++x) {
            const BYTE index = PixelOf(ball, frame * kFrame + x, y);
            if (DistanceFromFrameCentre(x, y) < kBallRadius - 1.0) {
                const RGBQUAD entry = ball.GetColorTable()[index];
                lightness += Lightness({entry.rgbRed, entry.rgbGreen, entry.rgbBlue});
                ++inside;
            }
            outside += DistanceFromFrameCentre(x, y) > kBallRadius + 2.0 && index != PixelOf(ball, 0, 0);
        }
    }
    return {lightness / inside, outside};
}

// The balls share the board's table, draw every pixel of their disc in both
// frames, and draw only over the plain floor (they are blended against it, so
// a drawn pixel over the grid would show a seam); the selected frame is lit
// up and ringed.
TEST(ArtworkFiles, BallsFitTheBoard) {
    const auto board = LoadArtwork("pole.bmp");
    ASSERT_TRUE(board);
    for (int colour = 1; colour <= kBallColourCount; ++colour) {
        SCOPED_TRACE("ball " + std::to_string(colour));
        const auto ball = LoadArtwork(std::to_string(colour) + ".bmp");
        ASSERT_TRUE(ball);
        EXPECT_EQ(ball->GetWidth(), 2 * kFrame);
        EXPECT_EQ(ball->GetHeight(), kFrame);
        EXPECT_EQ(ball->GetBitmapInfo()->bmiHeader.biBitCount, 8);
        EXPECT_TRUE(SameColourTable(*ball, *board));
        const BYTE transparent = PixelOf(*ball, 0, 0);
        EXPECT_EQ(transparent, ArtPalette::kKeyIndex);
        std::set<BYTE> under;
        for (int y = 0; y < kFrame; ++y) {
            for (int x = 0; x < 2 * kFrame; ++x) {
                const bool drawn = PixelOf(*ball, x, y) != transparent;
                if (DistanceFromFrameCentre(x % kFrame, y) < kBallRadius) {
                    ASSERT_TRUE(drawn) << x << "," << y;
                }
                if (drawn) under.insert(PixelOf(*board, x % kFrame, y));
            }
        }
        EXPECT_EQ(under, std::set<BYTE>{ArtPalette::kCellIndex});
        const auto [normalLight, normalOutside] = FrameLook(*ball, 0);
        const auto [selectedLight, selectedOutside] = FrameLook(*ball, 1);
        EXPECT_GT(selectedLight, normalLight + 5.0);
        EXPECT_GT(selectedOutside, normalOutside + 60) << "the normal frame has only its shadow outside";
    }
}

TEST(ArtworkFiles, PreviewsFitTheBandAndMatchTheirBalls) {
    const auto board = LoadArtwork("pole.bmp");
    ASSERT_TRUE(board);
    for (int colour = 1; colour <= kBallColourCount; ++colour) {
        SCOPED_TRACE("preview " + std::to_string(colour));
        const auto preview = LoadArtwork(std::to_string(colour) + "-d.bmp");
        ASSERT_TRUE(preview);
        EXPECT_LE(preview->GetWidth(), 40);
        EXPECT_LE(preview->GetHeight(), 45);
        EXPECT_TRUE(SameColourTable(*preview, *board));
        // Window colour around, the ball's own colours at the centre.
        EXPECT_EQ(PixelOf(*preview, 0, 0), ArtPalette::kWindowIndex);
        const IndexRange section = ArtPalette::Ball(colour);
        const int centre = PixelOf(*preview, preview->GetWidth() / 2, preview->GetHeight() / 2);
        EXPECT_GE(centre, section.first);
        EXPECT_LT(centre, section.first + section.count);
    }
}

}  // namespace
}  // namespace art
