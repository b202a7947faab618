// Path search and the walk of a moving ball.
#include "game/tests/GameTestSupport.h"

namespace {

// Rows 1, 3, 5 and 7 are walls with one gap at alternating ends, so the only
// way from the top-left corner winds through the board: cell (c, 8) lies
// 40 + c steps away from (0, 0).
constexpr const char* kSerpentine =
    "1........ 23232323. ......... .23232323 ......... 23232323. ......... .23232323 .........";

CPoint Corner(int cell) {
    return CPoint(cell % 9 * 40, cell / 9 * 40);
}

TEST_F(GameTest, NeighbouringTargetIsOneStep) {
    Game().SetBoard("......... ....1.... ......... ......... ......... ......... ......... ......... .........");
    EXPECT_TRUE(Game().FindPath(Cell(4, 1), Cell(5, 1)));
    EXPECT_EQ(Game().Wave(Cell(5, 1)), 0);
    Game().SetNext(2, 2, 2);
    Game().Move(Cell(4, 1), Cell(5, 1));
    EXPECT_EQ(Game().walk, std::vector<CPoint>{Corner(Cell(5, 1))});
}

TEST_F(GameTest, EqualPathsPreferRightOverDownAndLeftOverUp) {
    Game().SetBoard("......... ......... ......... ...1..... ......... ......... ......... ......... .........");
    Game().SetNext(2, 2, 2);
    Game().Move(Cell(3, 3), Cell(4, 4));
    EXPECT_EQ(Game().walk, (std::vector<CPoint>{Corner(Cell(4, 3)), Corner(Cell(4, 4))}));

    Game().SetBoard("......... ......... ......... ......... ....1.... ......... ......... ......... .........");
    Game().ClearEvents();
    Game().Move(Cell(4, 4), Cell(3, 3));
    EXPECT_EQ(Game().walk, (std::vector<CPoint>{Corner(Cell(3, 4)), Corner(Cell(3, 3))}));
}

TEST_F(GameTest, OccupiedOrWalledOffTargetsAreRefused) {
    Game().SetBoard("1.2...... 33....... ......... ......... ......... ......... ......... ......... .........");
    Game().Click(Cell(0, 0));
    Game().Click(Cell(2, 0));  // holds a ball
    EXPECT_FALSE(Game().IsSelected());
    Game().Click(Cell(0, 0));
    Game().Click(Cell(5, 5));  // the corner ball is walled in
    EXPECT_EQ(Game().Count("pause"), 0);
    EXPECT_EQ(Game().BoardText(), "1.2...... 33....... ......... ......... ......... ......... ......... ......... .........");
    EXPECT_FALSE(Game().FindPath(Cell(0, 0), Cell(5, 5)));
}

TEST_F(GameTest, PathsOfFortyOneStepsAreTheLongestAllowed) {
    Game().SetBoard(kSerpentine);
    EXPECT_TRUE(Game().FindPath(Cell(0, 0), Cell(1, 8)));
    EXPECT_FALSE(Game().FindPath(Cell(0, 0), Cell(2, 8)));

    Game().SetNext(4, 4, 4);
    Game().Move(Cell(0, 0), Cell(1, 8));
    ASSERT_EQ(Game().walk.size(), 41u);
    EXPECT_EQ(Game().walk.back(), Corner(Cell(1, 8)));
    EXPECT_EQ(Game().Cell(Cell(1, 8)), 1);
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

TEST_F(GameTest, SecondClickOffTheBoardCancels) {
    Game().SetBoard("......... ......... ......... ....5.... ......... ......... ......... ......... .........");
    // Right of the board, left of it, above it (within a cell's height), below it.
    for (const CPoint point : {CPoint(380, 200), CPoint(-5, 200), CPoint(60, 30), CPoint(60, 415)}) {
        Game().Click(Cell(4, 3));
        ASSERT_TRUE(Game().IsSelected());
        Game().ClearEvents();
        Game().ClickAt(point.x, point.y);
        EXPECT_FALSE(Game().IsSelected());
        EXPECT_EQ(Game().events, (std::vector<std::string>{"draw", "draw"}));
        EXPECT_EQ(Game().BoardText(), "......... ......... ......... ....5.... ......... ......... ......... ......... .........");
        EXPECT_TRUE(Game().SpritesMatchBoard());
    }
}

}  // namespace
