// Clicks reaching the game through the window: the selection on the
// screen, the walk of a moved ball, double clicks and cancel mode.
#include "view/tests/BoardViewTestSupport.h"

namespace {

int CellOfSprite(const CPhasedSprite& sprite) {
    return sprite.GetX() / 40 + sprite.GetY() / 40 * 9;
}

bool Adjacent(int first, int second) {
    const int columns = std::abs(first % 9 - second % 9);
    const int rows = std::abs(first / 9 - second / 9);
    return columns + rows == 1;
}

}  // namespace

TEST_F(ViewTest, ClickOnBallShowsItsSecondFrameOnScreen) {
    const int cell = FirstBallCell();
    ASSERT_GE(cell, 0);
    const int drawsBefore = View().Draws();
    ClickClient(View(), CellCentre(cell));
    ASSERT_TRUE(View().IsSelected());
    EXPECT_EQ(View().From(), cell);
    EXPECT_EQ(View().Draws(), drawsBefore + 1);
    const QImage screen = Screen();
    EXPECT_EQ(FirstDifference(screen, ExpectedBoardFor(BoardColours(), cell), BoardArea()), "");
    // The selected look must differ from the plain one for this to show anything.
    const QRect area = CellArea(cell);
    EXPECT_NE(FirstDifference(screen, ExpectedBoardFor(BoardColours(), -1), area, area.topLeft() - QPoint(0, 50)), "");
}

TEST_F(ViewTest, ClicksThatHitNoBallChangeNothing) {
    const int ball = FirstBallCell();
    int empty = 0;
    while (View().Cell(empty) != 0) ++empty;
    const QImage before = Screen();
    const QPoint transparentCorner = CellArea(ball).topLeft();
    for (const QPoint point : {CellCentre(empty), QPoint(200, 20), transparentCorner}) {
        ClickClient(View(), point);
        EXPECT_FALSE(View().IsSelected()) << "click at " << point.x() << ", " << point.y();
    }
    EXPECT_EQ(View().Draws(), 0);
    EXPECT_EQ(FirstDifference(Screen(), before, before.rect()), "");
}

TEST_F(ViewTest, MoveWalksWithOneRedrawPerStepAndEndsOnTheTarget) {
    const int from = FirstBallCell();
    const int to = FarthestReachableCell(from);
    ASSERT_GE(to, 0);
    const int steps = PathLength(from, to);
    ASSERT_GE(steps, 3);
    const int colour = View().Cell(from);
    ClickClient(View(), CellCentre(from));

    // At each redraw of the walk the screen shows the ball where its sprite
    // stands and the source cell empty.
    std::array<int, CBoardGame::kCells> walking = BoardColours();
    walking[static_cast<std::size_t>(from)] = 0;
    std::vector<int> walk;
    View().m_onDraw = [&] {
        const CPhasedSprite* sprite = View().SelectedSprite();
        if (sprite == nullptr || View().IsSelected()) return;
        const int cell = CellOfSprite(*sprite);
        walk.push_back(cell);
        std::array<int, CBoardGame::kCells> shown = walking;
        shown[static_cast<std::size_t>(cell)] = colour;
        EXPECT_EQ(FirstDifference(Screen(), ExpectedBoardFor(shown, -1), BoardArea()), "") << "step " << walk.size();
    };
    ClickClient(View(), CellCentre(to));
    View().m_onDraw = nullptr;

    ASSERT_EQ(static_cast<int>(walk.size()), steps);
    int previous = from;
    for (const int cell : walk) {
        EXPECT_TRUE(Adjacent(previous, cell)) << previous << " to " << cell;
        previous = cell;
    }
    EXPECT_EQ(walk.back(), to);
    // A pause before every step, one before the new balls and one at the end.
    EXPECT_EQ(View().Pauses(), std::vector<int>(static_cast<std::size_t>(steps) + 2, 80));

    EXPECT_EQ(View().Cell(to), colour);
    EXPECT_EQ(View().Cell(from), 0);
    EXPECT_EQ(View().Sprites().GetCount(), 6);
    EXPECT_EQ(FirstDifference(Screen(), ExpectedBoard(), BoardArea()), "");
}

TEST_F(ViewTest, DoubleClickLeavesTheBallSelected) {
    const int cell = FirstBallCell();
    DoubleClickClient(View(), CellCentre(cell));
    EXPECT_TRUE(View().IsSelected());
    EXPECT_EQ(View().From(), cell);
    EXPECT_EQ(View().Draws(), 1);
    EXPECT_EQ(FirstDifference(Screen(), ExpectedBoardFor(BoardColours(), cell), BoardArea()), "");
}

TEST_F(ViewTest, CancelModeKeepsTheSelection) {
    const int cell = FirstBallCell();
    ClickClient(View(), CellCentre(cell));
    const QImage selected = Screen();
    View().SendMessage(WM_CANCELMODE);
    EXPECT_TRUE(View().IsSelected());
    EXPECT_EQ(View().Draws(), 1);
    EXPECT_EQ(FirstDifference(Screen(), selected, selected.rect()), "");
    // The selection still works: a click on an empty reachable cell moves the ball.
    const int to = FarthestReachableCell(cell);
    ClickClient(View(), CellCentre(to));
    EXPECT_NE(View().Cell(to), 0);
}
