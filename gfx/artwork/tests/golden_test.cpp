// The written picture folder: a board composed the way the game composes it, compared pixel by pixel with a checked-in
// picture.  (That the folder passes the picture tool's check is the tool's test.)  After a deliberate change to the
// artwork, run the test once with VELMOR_UPDATE_GOLDEN=1 to write the new picture, look at it, and commit it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "gfx/PhasedSprite.h"
#include "gfx/artwork/ArtScheme.h"
#include "gfx/artwork/Artwork.h"
#include "tests/support/Files.h"

namespace art {
namespace {

// Every colour once (colour, column, row, selected), corners and middle, one of them selected.
constexpr int kBalls[][4] = {{1, 0, 0, 0}, {2, 8, 0, 0}, {3, 4, 4, 1}, {4, 0, 8, 0}, {5, 8, 8, 0}, {6, 3, 5, 0}};

TEST(Artwork, ComposedBoardMatchesTheCheckedInPicture) {
    const CScratchFolder folder;
    std::string failedFile;
    ASSERT_TRUE(WriteArtwork(folder.Path().string(), BallSet::plain, failedFile)) << "could not write " << failedFile;
    CDIB board;
    ASSERT_TRUE(board.Load((folder / "pole.bmp").c_str()));
    CRect clip;
    board.GetRect(&clip);
    for (const auto& [colour, column, row, selected] : kBalls) {
        CPhasedSprite sprite;
        ASSERT_TRUE(sprite.Load((folder / (std::to_string(colour) + ".bmp")).c_str()));
        sprite.SetPosition(column * kCellSize, row * kCellSize);
        sprite.SetNumCellColumns(2);
        sprite.SetCellColumn(selected);
        sprite.Render(&board, &clip);
    }
    const std::string goldenPath = VELMOR_ARTWORK_GOLDEN;
    const char* update = std::getenv("VELMOR_UPDATE_GOLDEN");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        ASSERT_TRUE(board.Save(goldenPath.c_str()));
        GTEST_SKIP() << "wrote " << goldenPath;
    }
    CDIB golden;
    ASSERT_TRUE(golden.Load(goldenPath.c_str())) << goldenPath << " is missing; run with VELMOR_UPDATE_GOLDEN=1";
    const std::string actualPath = ::testing::TempDir() + "velmor_board_actual.bmp";
    board.Save(actualPath.c_str());
    ASSERT_EQ(board.GetWidth(), golden.GetWidth()) << "the composed board is in " << actualPath;
    ASSERT_EQ(board.GetHeight(), golden.GetHeight());
    ASSERT_EQ(std::memcmp(golden.GetColorTable(), board.GetColorTable(), 256 * sizeof(RGBQUAD)), 0);
    for (int y = 0; y < golden.GetHeight(); ++y)
        for (int x = 0; x < golden.GetWidth(); ++x)
            ASSERT_EQ(*board.GetPixelAddress(x, y), *golden.GetPixelAddress(x, y))
                << "pixel (" << x << "," << y << "); the composed board is in " << actualPath;
}

}  // namespace
}  // namespace art
