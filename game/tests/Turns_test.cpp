// A line that empties the board, and new game.
#include "game/tests/GameTestSupport.h"

namespace {

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
