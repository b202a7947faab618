// Announced colours, the cells of a batch, and the seed that decides both.
#include <climits>
#include <filesystem>
#include <set>

#include "game/tests/GameTestSupport.h"
#include "platform/core/Crt.h"

namespace {

constexpr const char* kEmpty = "......... ......... ......... ......... ......... ......... ......... ......... .........";

TEST_F(GameTest, BatchTakesThreeEmptyCellsInTheAnnouncedColours) {
    const std::string before = "12....... ......... ......... ...3..... ......... ......... ......... ......... ........4";
    for (std::int32_t seed : {0, 1, 99, INT_MAX, INT_MIN, -1}) {
        SCOPED_TRACE(seed);
        Game().SetBoard(before);
        Game().SetSeed(seed);
        Game().ChooseNextColours();
        for (int index = 0; index < 3; ++index) {
            EXPECT_GE(Game().Next(index), 1);
            EXPECT_LE(Game().Next(index), 6);
        }
        Game().InsertBalls();
        ASSERT_EQ(Game().NewCount(), 3);
        std::set<int> cells;
        for (int index = 0; index < 3; ++index) {
            const int cell = Game().NewCell(index);
            cells.insert(cell);
            EXPECT_EQ(before[static_cast<std::size_t>(cell + cell / 9)], '.');
            EXPECT_EQ(Game().Cell(cell), Game().Next(index));
        }
        EXPECT_EQ(cells.size(), 3u);
        EXPECT_EQ(Game().CountFreeCells(), 81 - 4 - 3);
        EXPECT_TRUE(Game().SpritesMatchBoard());
        // The same seed and board give the same batch again.
        const std::string first = Game().BoardText();
        Game().SetBoard(before);
        Game().SetSeed(seed);
        Game().ChooseNextColours();
        Game().InsertBalls();
        EXPECT_EQ(Game().BoardText(), first);
    }
}

TEST_F(GameTest, SeedAdditionsWrapAround) {
    Game().SetSeed(INT_MAX);
    Game().ChooseNextColours();  // adds one rand value, which is positive here
    EXPECT_LT(Game().Seed(), 0);
}

TEST_F(GameTest, LastFreeCellsFillInIndexOrder) {
    Game().SetBoard("123451234 512345123 451234512 345123451 234512345 123451234 512.45123 451234512 3451234.2");
    Game().SetNext(6, 5, 4);
    Game().InsertBalls();
    EXPECT_EQ(Game().Cell(Cell(3, 6)), 6);
    EXPECT_EQ(Game().Cell(Cell(7, 8)), 5);
    EXPECT_TRUE(Game().IsBoardFull());
    EXPECT_EQ(Game().NewCount(), 2);
}

TEST_F(GameTest, MissingBallPictureEndsTheBatch) {
    std::filesystem::remove("res1/4.bmp");
    Game().SetBoard(kEmpty);
    Game().SetNext(2, 4, 5);
    Game().InsertBalls();
    EXPECT_EQ(Game().CountFreeCells(), 80);
    EXPECT_EQ(Game().Cell(Game().NewCell(0)), 2);
    EXPECT_EQ(Game().NewCount(), 1);  // the batch is what was placed
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

TEST_F(GameTest, ReplayedBatchMovesOffCellsThatFilledUp) {
    // Ball 0's kept cell is taken; it goes to the first empty cell that no
    // other ball of the batch keeps (cell 0 is kept by ball 1).
    Game().SetBoard("......... .1....... ......... ......... ......... ......... ......... ......... .........");
    Game().KeepBatchCells({Cell(1, 1), Cell(0, 0), Cell(1, 0)});
    Game().SetNext(3, 4, 5);
    Game().InsertBalls();
    EXPECT_EQ(Game().BoardText(),
              "453...... .1....... ......... ......... ......... ......... ......... ......... .........");
    EXPECT_EQ(Game().NewCell(0), Cell(2, 0));  // so a remake move takes the right ball
    EXPECT_FALSE(Game().ReplayPending());
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

TEST_F(GameTest, FailedReplayKeepsTheBoardAndSpritesInStep) {
    // The replayed batch stops at the missing picture and stays pending; the
    // next batch must not stack a ball on a cell the first one filled.
    std::filesystem::rename("res1/4.bmp", "res1/4.away");
    Game().SetBoard(kEmpty);
    Game().KeepBatchCells({Cell(0, 0), Cell(1, 0), Cell(2, 0)});
    Game().SetNext(3, 4, 5);
    Game().InsertBalls();
    EXPECT_TRUE(Game().ReplayPending());
    EXPECT_EQ(Game().CountFreeCells(), 80);

    std::filesystem::rename("res1/4.away", "res1/4.bmp");
    Game().InsertBalls();
    EXPECT_FALSE(Game().ReplayPending());
    EXPECT_EQ(Game().CountFreeCells(), 77);
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

}  // namespace
