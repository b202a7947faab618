// Batches: their cells and colours, the repeated batch after a remake move,
// the line that empties the board, and new game.
#include <climits>
#include <filesystem>

#include "game/tests/GameTestSupport.h"

namespace {

TEST_F(GameTest, BatchTakesThreeEmptyCellsInTheAnnouncedColours) {
    const std::string before =
        "12....... ......... ......... ...3..... ......... ......... ......... ......... ........4";
    for (const std::int32_t seed : {0, 1, 99, INT_MAX, INT_MIN, -1}) {
        SCOPED_TRACE(seed);
        Game().SetBoard(before);
        Game().SetSeed(seed);
        Game().ChooseNextColours();
        Game().InsertBalls();
        for (int index = 0; index < 3; ++index) {
            EXPECT_EQ(Game().Cell(Game().NewCell(index)), Game().Next(index));
            EXPECT_TRUE(Game().Next(index) >= 1 && Game().Next(index) <= 6);
        }
        EXPECT_EQ(Game().CountFreeCells(), 81 - 4 - 3);  // none on a ball or on another new one
        EXPECT_TRUE(Game().SpritesMatchBoard());
    }
}

TEST_F(GameTest, FailedReplayKeepsTheBoardAndSpritesInStep) {
    // The replayed batch stops at the missing picture and stays pending; the
    // next batch must not stack a ball on a cell the first one filled.
    std::filesystem::rename("res1/4.bmp", "res1/4.away");
    Game().SetBoard("");
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

// A missing picture cuts a batch short: the batch is what was placed, and a
// remake move takes it back with the move and announces all its colours again.
TEST_F(GameTest, RemakeMoveAfterABatchCutShort) {
    constexpr const char* opening = "......... ......... ......... ......... ....3.... ......... .....1...";
    Game().SetBoard(opening);
    Game().SetNext(2, 4, 6);
    Game().OnRemakeMove();  // refused before any batch
    EXPECT_TRUE(Game().events.empty());
    std::filesystem::remove("res1/4.bmp");
    Game().Move(Cell(4, 4), Cell(0, 0));
    ASSERT_EQ(Game().Batch(), (std::vector<std::pair<int, int>>{{Game().NewCell(0), 2}}));
    Game().ClearEvents();
    Game().OnRemakeMove();
    EXPECT_EQ(Game().events, Events{"draw"});
    EXPECT_EQ(Game().BoardText(), opening);
    EXPECT_EQ((std::vector<int>{Game().Next(0), Game().Next(1), Game().Next(2)}), (std::vector<int>{2, 4, 6}));
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

// A line that takes the last balls brings the announced balls at once, on the
// cells a remake move kept; the line cannot be taken back.
TEST_F(GameTest, LineThatEmptiesTheBoardBringsTheKeptBatch) {
    Game().SetBoard("2222..... ......... ......... ......... ......... ......... ......... ......... ........2");
    Game().SetNext(1, 5, 6);
    Game().KeepBatchCells({Cell(8, 8), Cell(0, 0), Cell(4, 4)});
    Game().Move(Cell(8, 8), Cell(4, 0));
    EXPECT_EQ(Game().Score(), 10);
    const std::string after = Game().BoardText();
    EXPECT_EQ(after, "5........ ......... ......... ......... ....6.... ......... ......... ......... ........1");
    Game().OnRemakeMove();
    EXPECT_TRUE(Game().IsRemakeRefused());
    EXPECT_EQ(Game().BoardText(), after);
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

// Select, then start again: the selection must not outlive its sprite.
TEST_F(GameTest, NewGameDropsSelectionAndStartsPlayable) {
    Game().SetBoard("1.1");
    Game().SetScore(10);
    Game().Move(Cell(0, 0), Cell(1, 0));
    Game().Click(Cell(1, 0));
    ASSERT_TRUE(Game().IsSelected());
    Game().OnNewGame();
    EXPECT_EQ(Game().Score(), 0);
    EXPECT_EQ(Game().CountFreeCells(), 78);
    EXPECT_TRUE(Game().IsRemakeRefused());
    EXPECT_FALSE(Game().IsSelected());
    EXPECT_EQ(Game().SelectedSprite(), nullptr);
    Game().Click(Game().NewCell(1));
    EXPECT_TRUE(Game().IsSelected());
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

}  // namespace
