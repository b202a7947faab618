// Keyboard play: the cursor's moves, edges and looks, and the keys that click through it.
#include <QPainter>
#include <QTest>

#include "view/tests/ViewTestSupport.h"

namespace {

constexpr int kHidden = -1;
constexpr int kNotTheCursor = -2;

// The cell where the screen shows the cursor's rings over the board as it should look, kHidden when the board looks
// just as it should, kNotTheCursor when anything else differs.
int CursorCellOnScreen(const QImage& screen, const QImage& board) {
    int found = kHidden;
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        const QPoint onBoard = CellArea(cell).topLeft() - QPoint(0, CBoardGame::kBoardTop);
        if (FirstDifference(screen, board, CellArea(cell), onBoard).empty()) continue;
        QImage framed = board.copy(QRect(onBoard, QSize(40, 40)));
        QPainter painter(&framed);
        int inset = 0;
        for (const COLORREF ring : CBoardView::kCursorRings) {
            painter.setPen(QColor(GetRValue(ring), GetGValue(ring), GetBValue(ring)));
            painter.drawRect(inset, inset, 39 - 2 * inset, 39 - 2 * inset);
            ++inset;
        }
        if (found != kHidden || !FirstDifference(screen, framed, CellArea(cell)).empty()) return kNotTheCursor;
        found = cell;
    }
    return found;
}

// How CTestView sees a turn of a move without a line: the selection; a pause before each step's redraw; the
// selection's end; the new balls and the end of the turn, each after a pause; the game-over check.
std::string MoveTurnSeen(int steps) {
    std::string seen = "D";
    for (int step = 0; step < steps; ++step) seen += " P D";
    return seen + " D P D P D D";
}

}  // namespace

class KeysTest : public ViewTest {
protected:
    void Press(const std::vector<Qt::Key>& keys) {
        for (const Qt::Key key : keys) QTest::keyClick(View().Widget(), key);
    }
    int CursorCell() const { return CursorCellOnScreen(Screen(), Expected()); }
};

TEST_F(KeysTest, ArrowsShowTheCursorThenMoveItUpToTheEdgesWithoutRedrawingTheGame) {
    using Keys = std::vector<Qt::Key>;
    const auto repeated = [](Qt::Key key, std::size_t times) { return Keys(times, key); };
    const struct {
        const char* what;
        Keys keys;
        int cell;
    } steps[] = {
        {"hidden at start", {}, kHidden},
        {"keys the game does not use", {Qt::Key_A, Qt::Key_F2, Qt::Key_Escape, Qt::Key_Tab}, kHidden},
        {"the first arrow only shows it, on the centre", {Qt::Key_Left}, 40},
        {"one cell per arrow", {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}, 51},
        {"stops at the top", repeated(Qt::Key_Up, 6), 6},
        {"stops at the left", repeated(Qt::Key_Left, 7), 0},
        {"stops at the bottom", repeated(Qt::Key_Down, 9), 72},
        {"stops at the right", repeated(Qt::Key_Right, 9), 80},
    };
    for (const auto& step : steps) {
        Press(step.keys);
        EXPECT_EQ(CursorCell(), step.cell) << step.what;
    }
    EXPECT_EQ(View().seen, "");
    EXPECT_FALSE(View().IsSelected());

    // A click hides the cursor, and a redraw of the game leaves the board as mouse play shows it.
    ClickClient(View(), kOnTheBand);
    View().DrawAll();
    EXPECT_EQ(CursorCell(), kHidden);
    // Shown again where it was, and Space on a hidden cursor only shows it.
    ClickClient(View(), kOnTheBand);
    Press({Qt::Key_Space});
    EXPECT_EQ(CursorCell(), 80);
    EXPECT_FALSE(View().IsSelected());
}

TEST_F(KeysTest, SpaceAndEnterClickTheCursorsCellAndEscapeTheSelectedBall) {
    const int ball = FirstBallCell();
    const auto [target, steps] = FarthestCell(View().Colours(), ball);
    const int colour = View().Cell(ball);
    Press({Qt::Key_Down});
    Press(ArrowKeys(CBoardView::kFirstCursorCell, ball));
    Press({Qt::Key_Space});
    ASSERT_TRUE(View().IsSelected());
    EXPECT_EQ(View().From(), ball);
    EXPECT_EQ(View().seen, "D");
    EXPECT_EQ(CursorCell(), ball) << "over the selected look";

    Press({Qt::Key_Escape});
    EXPECT_FALSE(View().IsSelected());
    EXPECT_EQ(View().seen, "D D D") << "a cancelling click's two redraws";
    Press({Qt::Key_Escape});
    EXPECT_EQ(View().seen, "D D D") << "Escape without a selection";

    View().seen.clear();
    Press({Qt::Key_Return});
    ASSERT_TRUE(View().IsSelected());
    Press(ArrowKeys(ball, target));
    Press({Qt::Key_Enter});
    EXPECT_EQ(View().Cell(target), colour);
    EXPECT_EQ(View().Cell(ball), 0);
    EXPECT_EQ(View().seen, MoveTurnSeen(steps)) << "a turn as a click's";
    EXPECT_EQ(CursorCell(), target);

    // A ball selected by the mouse: the first arrow shows the cursor on it, and Escape puts it back.
    const int other = FirstBallCell();
    ASSERT_NE(other, target);
    ClickClient(View(), CellCentre(other));
    ASSERT_TRUE(View().IsSelected());
    EXPECT_EQ(CursorCell(), kHidden);
    Press({Qt::Key_Down, Qt::Key_Escape});
    EXPECT_EQ(CursorCell(), other);
    EXPECT_FALSE(View().IsSelected());
}
