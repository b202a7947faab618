// A board composed the way the game composes it, compared pixel by pixel
// with a checked-in picture.  After a deliberate change to the artwork, run
// the test once with VELMOR_UPDATE_GOLDEN=1 to write the new picture, look at
// it, and commit it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "gfx/PhasedSprite.h"
#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/tests/ArtTestSupport.h"

namespace art {
namespace {

struct PlacedBall {
    int colour, column, row;
    bool selected;
};

// Every colour once, corners and middle, one of them selected.
constexpr PlacedBall kBalls[] = {{1, 0, 0, false}, {2, 8, 0, false}, {3, 4, 4, true},
                                 {4, 0, 8, false}, {5, 8, 8, false}, {6, 3, 5, false}};

// Loads the board and renders the ball sprites into it, as a drawing pass
// of the game does.
std::unique_ptr<CDIB> ComposeBoard() {
    auto board = testing::LoadArtwork("pole.bmp");
    if (!board) return nullptr;
    CRect clip;
    board->GetRect(&clip);
    for (const PlacedBall& placed : kBalls) {
        CPhasedSprite sprite;
        const std::string path =
            (testing::ArtworkFolder() / (std::to_string(placed.colour) + ".bmp")).string();
        if (!sprite.Load(path.c_str())) {
            return nullptr;
        }
        sprite.SetPosition(placed.column * kCellSize, placed.row * kCellSize);
        sprite.SetNumCellColumns(2);
        sprite.SetNumCellRows(1);
        sprite.SetCellColumn(placed.selected ? 1 : 0);
        sprite.Render(board.get(), &clip);
    }
    return board;
}

// Empty when equal; otherwise what differs first.
std::string FirstDifference(const CDIB& expected, const CDIB& actual) {
    if (expected.GetWidth() != actual.GetWidth() || expected.GetHeight() != actual.GetHeight()) return "the size";
    if (std::memcmp(expected.GetColorTable(), actual.GetColorTable(), 256 * sizeof(RGBQUAD)) != 0) {
        return "the colour table";
    }
    for (int y = 0; y < expected.GetHeight(); ++y) {
        for (int x = 0; x < expected.GetWidth(); ++x) {
            const int want = testing::PixelOf(expected, x, y);
            const int got = testing::PixelOf(actual, x, y);
            if (want != got) {
                std::ostringstream text;
                text << "pixel (" << x << "," << y << "): index " << got << ", expected " << want;
                return text.str();
            }
        }
    }
    return {};
}

TEST(ArtworkGolden, ComposedBoardMatchesTheCheckedInPicture) {
    const auto composed = ComposeBoard();
    ASSERT_TRUE(composed) << "the artwork could not be loaded";
    const std::string goldenPath = VELMOR_ARTWORK_GOLDEN;
    const char* update = std::getenv("VELMOR_UPDATE_GOLDEN");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        ASSERT_TRUE(composed->Save(goldenPath.c_str()));
        GTEST_SKIP() << "wrote " << goldenPath;
    }
    CDIB golden;
    ASSERT_TRUE(golden.Load(goldenPath.c_str()))
        << goldenPath << " is missing; run with VELMOR_UPDATE_GOLDEN=1 to write it";
    const std::string difference = FirstDifference(golden, *composed);
    if (!difference.empty()) {
        const std::string actualPath = ::testing::TempDir() + "velmor_board_actual.bmp";
        composed->Save(actualPath.c_str());
        FAIL() << "differs in " << difference << " (the composed board is in " << actualPath << ")";
    }
}

}  // namespace
}  // namespace art
