// Selecting a ball, the walk of a moving ball, and lines.
#include <climits>

#include "game/tests/GameTestSupport.h"

namespace {

constexpr const char* kTwoBalls = "......... ......... ......... ......... ....3.6..";

// Clicks off the board, anywhere in int range, select nothing and cancel a
// selection, the ball back on its cell.
TEST_F(GameTest, ClicksOffTheBoardSelectNothingAndCancel) {
    Game().SetBoard(kTwoBalls);
    for (const int x : {INT_MIN, -1, 180, 360, INT_MAX}) {
        for (const int y : {INT_MIN, INT_MIN + 49, 49, 200, 410, INT_MAX}) {
            if (x == 180 && y == 200) continue;  // on the board
            SCOPED_TRACE(std::to_string(x) + " " + std::to_string(y));
            Game().ClearEvents();
            Game().ClickAt(x, y);
            Game().Click(Cell(4, 4));
            Game().ClickAt(x, y);
            EXPECT_FALSE(Game().IsSelected());
            EXPECT_EQ(Game().events, (Events{"draw", "draw", "draw"}));
            EXPECT_EQ(Game().BoardText(), kTwoBalls);
            EXPECT_TRUE(Game().SpritesMatchBoard());
        }
    }
}

// One redraw a step; of several shortest paths the walk takes right before
// down and left before up.
TEST_F(GameTest, BallWalksTheChosenShortestPath) {
    const std::vector<int> walks[] = {{Cell(4, 1), Cell(5, 1)},
                                      {Cell(3, 3), Cell(4, 3), Cell(4, 4)},
                                      {Cell(4, 4), Cell(3, 4), Cell(3, 3)}};
    for (const std::vector<int>& walk : walks) {
        Game().SetBoard(std::string(static_cast<std::size_t>(walk.front()), '.') + "1");
        Game().ClearEvents();
        Game().Move(walk.front(), walk.back());
        EXPECT_EQ(Game().walk, std::vector<int>(walk.begin() + 1, walk.end()));
    }
}

// Rows 1, 3, 5 and 7 are walls with one gap at alternating ends: cell (c, 8)
// lies 40 + c steps from the corner, and 41 steps is as far as a ball goes.
TEST_F(GameTest, TargetsTooFarOrTakenAreRefused) {
    Game().SetBoard("1........ 23232323. ......... .23232323 ......... 23232323. ......... .23232323");
    Game().Move(Cell(0, 0), Cell(2, 8));
    Game().Move(Cell(0, 0), Cell(1, 1));  // a ball stands there
    EXPECT_TRUE(Game().walk.empty());
    Game().Move(Cell(0, 0), Cell(1, 8));
    ASSERT_EQ(Game().walk.size(), 41u);
    EXPECT_EQ(Game().Cell(Cell(1, 8)), 1);
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

TEST_F(GameTest, LinesAreFoundRemovedAndScored) {
    struct LineCase {
        const char* name;
        const char* before;
        int points;  // of one RemoveLine; 0 when nothing goes, else the whole board goes
    };
    const LineCase lines[] = {
        {"five in a row", "......... ..22222", 10},
        {"six are one line", "......... ......... ......... ......... 333333", 14},
        {"rows do not wrap", ".....5555 5", 0},
        {"down-right does not wrap", ".....6... ......6.. .......6. ........6 ......... 6", 0},
        {"down-left does not wrap", "...1..... ..1...... .1....... 1.......1", 0},
    };
    for (const LineCase& line : lines) {
        SCOPED_TRACE(line.name);
        for (const bool score : {true, false}) {
            Game().SetBoard(line.before);
            const std::string before = Game().BoardText();
            Game().SetScore(7);
            EXPECT_EQ(Game().RemoveLine(score), line.points > 0);
            EXPECT_EQ(Game().BoardText(), line.points > 0 ? "" : before);
            EXPECT_EQ(Game().Score(), 7 + (score ? line.points : 0));
            EXPECT_TRUE(Game().SpritesMatchBoard());
        }
    }
}

TEST_F(GameTest, SecondLineWaitsForTheNextMove) {
    // The ball moved to (4, 1) completes the row and tops a column of six;
    // the row goes first and takes the shared cell, five of the column stay.
    Game().SetBoard("......... 1111..... ....1.... ....1.... ....1.... ....1.... ....1.... ......... 2.......1");
    Game().SetNext(3, 3, 3);
    Game().Move(Cell(8, 8), Cell(4, 1));
    EXPECT_EQ(Game().Score(), 10);
    EXPECT_EQ(Game().BoardText(),
              "......... ......... ....1.... ....1.... ....1.... ....1.... ....1.... ......... 2........");
    // The next move makes no line of its own but is paid with the column.
    Game().Move(Cell(0, 8), Cell(1, 8));
    EXPECT_EQ(Game().Score(), 20);
    EXPECT_EQ(Game().BoardText(),
              "......... ......... ......... ......... ......... ......... ......... ......... .2.......");
}

}  // namespace
