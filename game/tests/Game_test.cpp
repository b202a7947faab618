// The engine behind the board: selecting and walking, lines, batches and the repeated batch after a remake
// move, and new game; each test runs in a scratch folder with pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/tests/GameAccess.h"
#include "tests/support/Files.h"

namespace {

class CRecordingGame : public CGameAccess<CBoardGame> {
public:
    // The announced colours at each redraw.
    std::vector<std::string> previews;
    // The cell the ball being moved stood on at each redraw during a walk.
    std::vector<int> walk;

    // Seen as "D<n>", with n balls on the board.
    void DrawAll() override {
        RenderSprites();  // splits new ball pictures into frames, as a real redraw does
        Record("D" + std::to_string(m_spriteList.GetCount()));
        previews.push_back(Preview());
        // During a walk the moved ball is no longer selected but still tracked.
        if (m_pSelSprite != nullptr && !m_bSelected)
            walk.push_back(CellOf(m_pSelSprite->GetX() / kCellSize, m_pSelSprite->GetY() / kCellSize));
    }
    std::string AskRecordName() override { return {}; }
    void ShowRecords() override {}

    // Lays out a board from up to 81 characters ('.' empty, '1'..'6' a ball; blanks are ignored, missing cells are
    // empty), its sprites split into their frames as after a redraw.
    void SetBoard(std::string_view layout) {
        std::string cells(layout);
        std::erase(cells, ' ');
        Board colours{};
        for (std::size_t cell = 0; cell < cells.size() && cell < colours.size(); ++cell)
            colours[cell] = cells[cell] == '.' ? 0 : cells[cell] - '0';
        CGameAccess::SetBoard(colours);
        RenderSprites();
    }
    // The board as SetBoard takes it, a blank between rows, trailing empty rows left out.
    std::string BoardText() const {
        std::string text;
        for (int cell = 0; cell < kCells; ++cell) {
            if (cell > 0 && cell % kColumns == 0) text.push_back(' ');
            text.push_back(m_nBoard[cell] == 0 ? '.' : static_cast<char>('0' + m_nBoard[cell]));
        }
        while (text.ends_with(".........")) text.erase(text.size() - std::min<std::size_t>(text.size(), 10));
        return text;
    }
    void SetSeed(std::int32_t seed) { m_nSeed = seed; }
    // Keeps these cells for the next batch, as a remake move would.
    void KeepBatchCells(const std::vector<int>& cells) {
        m_bReplayInsert = true;
        m_nNewCount = static_cast<int>(cells.size());
        for (std::size_t index = 0; index < cells.size(); ++index) {
            m_nNewCol[index] = cells[index] % kColumns;
            m_nNewRow[index] = cells[index] / kColumns;
        }
    }

    bool ReplayPending() const { return m_bReplayInsert; }
    int NewCell(int index) const { return CellOf(m_nNewCol[index], m_nNewRow[index]); }
    int NewCount() const { return m_nNewCount; }

    void Click(int cell) { OnLButtonDown(0, CPoint(cell % 9 * 40 + 20, cell / 9 * 40 + 20 + kBoardTop)); }
    void Move(int from, int to) {
        Click(from);
        Click(to);
    }
    void ClearEvents() {
        seen.clear();
        previews.clear();
        walk.clear();
    }
    // The announced colours, as "123".
    std::string Preview() const {
        std::string colours;
        for (const int colour : m_nNext) colours += std::to_string(colour);
        return colours;
    }
};

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyGamePictures("res1"));
        m_game.SetNext(1, 1, 1);
        m_game.SetSeed(7);  // the same batches on every run
    }
    CScratchFolder m_folder{CScratchFolder::Enter::yes};
    CRecordingGame m_game;
};

constexpr int Cell(int column, int row) { return column + row * 9; }

constexpr const char* kTwoBalls = "......... ......... ......... ......... ....3.6..";

// Clicks off the board, anywhere in int range, select nothing and cancel a selection, the ball back on its cell.
TEST_F(GameTest, ClicksOffTheBoardSelectNothingAndCancel) {
    m_game.SetBoard(kTwoBalls);
    for (const int x : {INT_MIN, -1, 180, 360, INT_MAX}) {
        for (const int y : {INT_MIN, INT_MIN + 49, 49, 200, 410, INT_MAX}) {
            if (x == 180 && y == 200) continue;  // on the board
            SCOPED_TRACE(std::to_string(x) + " " + std::to_string(y));
            m_game.ClearEvents();
            m_game.OnLButtonDown(0, CPoint(x, y));
            m_game.Click(Cell(4, 4));
            m_game.OnLButtonDown(0, CPoint(x, y));
            EXPECT_FALSE(m_game.IsSelected());
            EXPECT_EQ(m_game.seen, "D2 D2 D2");
            EXPECT_EQ(m_game.BoardText(), kTwoBalls);
            EXPECT_TRUE(m_game.SpritesMatchBoard());
        }
    }
}

// One redraw a step; of several shortest paths the walk takes right before down and left before up.
TEST_F(GameTest, BallWalksTheChosenShortestPath) {
    const std::vector<int> walks[] = {
        {Cell(4, 1), Cell(5, 1)}, {Cell(3, 3), Cell(4, 3), Cell(4, 4)}, {Cell(4, 4), Cell(3, 4), Cell(3, 3)}};
    for (const std::vector<int>& walk : walks) {
        m_game.SetBoard(std::string(static_cast<std::size_t>(walk.front()), '.') + "1");
        m_game.ClearEvents();
        m_game.Move(walk.front(), walk.back());
        EXPECT_EQ(m_game.walk, std::vector<int>(walk.begin() + 1, walk.end()));
    }
}

// Rows 1, 3, 5 and 7 are walls with one gap at alternating ends: cell (c, 8)
// lies 40 + c steps from the corner, and 41 steps is as far as a ball goes.
TEST_F(GameTest, TargetsTooFarOrTakenAreRefused) {
    m_game.SetBoard("1........ 23232323. ......... .23232323 ......... 23232323. ......... .23232323");
    m_game.Move(Cell(0, 0), Cell(2, 8));
    m_game.Move(Cell(0, 0), Cell(1, 1));  // a ball stands there
    EXPECT_TRUE(m_game.walk.empty());
    m_game.Move(Cell(0, 0), Cell(1, 8));
    ASSERT_EQ(m_game.walk.size(), 41u);
    EXPECT_EQ(m_game.Cell(Cell(1, 8)), 1);
    EXPECT_TRUE(m_game.SpritesMatchBoard());
}

// One RemoveLine on each board: the board after it, and the points of the line (0: no line).  A line that touches
// an edge goes whole; a ball of its colour just past the edge, where a run that wrapped would go on, stays.
TEST_F(GameTest, LinesAreFoundRemovedWholeAndScored) {
    struct LineCase {
        const char* name;
        const char* before;
        const char* after;
        int points;
    };
    const LineCase lines[] = {
        {"four are no line", "3333", "3333.....", 0},
        {"six are one line", "......... ......... ......... ......... 333333", "", 14},
        {"row from the first column", "11111", "", 10},
        {"row to the last column", "......... ....22222 2", "......... ......... 2........", 10},
        {"row in the last row",
         "......... ......... ......... ......... ......... ......... ......... ......... ..44444", "", 10},
        {"column in the first column from the top row", "5........ 5........ 5........ 5........ 5", "", 10},
        {"column in the last column to the last row",
         "......... ......... ......... ......... ........6 ........6 ........6 ........6 ........6", "", 10},
        {"down-right from the top row to the last column",
         "....1.... .....1... ......1.. .......1. ........1 ......... 1",
         "......... ......... ......... ......... ......... ......... 1........", 10},
        {"down-right from the first column to the last row",
         "......... ......... ......... ......... 2........ .2....... ..2...... ...2..... ....2....", "", 10},
        {"down-left from the top row to the first column", "....3.... ...3..... ..3...... .3....... 3.......3",
         "......... ......... ......... ......... ........3", 10},
        {"down-left from the last column to the last row",
         "......... ......... ......... ......... ........4 .......4. ......4.. .....4... ....4....", "", 10},
    };
    for (const LineCase& line : lines) {
        SCOPED_TRACE(line.name);
        m_game.SetBoard(line.before);
        m_game.SetScore(7);
        EXPECT_EQ(m_game.RemoveLine(true), line.points > 0);
        EXPECT_EQ(m_game.BoardText(), line.after);
        EXPECT_EQ(m_game.Score(), 7 + line.points);
        EXPECT_TRUE(m_game.SpritesMatchBoard());
    }
}

// What the player is shown of a turn, redraw by redraw: the selection, each step of the walk after a pause, the
// selection's end, then for a move without a line the new balls after a pause, the end of the turn after a pause,
// and the game-over check.  (A remake move's single redraw is the cut-short batch's test.)
TEST_F(GameTest, EachKindOfTurnShowsItsStepsInOrder) {
    m_game.SetBoard("1");
    m_game.Move(Cell(0, 0), Cell(2, 0));
    EXPECT_EQ(m_game.seen, "D1 P D1 P D1 D1 P D4 P D4 D4") << "a move without a line";
    m_game.SetBoard("1111..... ......... ....1.... 2");
    m_game.ClearEvents();
    m_game.Move(Cell(4, 2), Cell(4, 0));
    EXPECT_EQ(m_game.seen, "D6 P D6 P D6 D6 P D1 D1") << "a move with a line";
}

// The new balls are shown with the line they complete; then the line goes without points and the next colours are
// announced as after any batch.
TEST_F(GameTest, LineMadeByNewBallsGoesWithoutPoints) {
    m_game.SetBoard("22....... ......... ......... ......... ......... ......... ......... ......... ........1");
    m_game.SetScore(7);
    m_game.SetNext(2, 2, 2);
    m_game.KeepBatchCells({Cell(2, 0), Cell(3, 0), Cell(4, 0)});
    m_game.Move(Cell(8, 8), Cell(7, 8));
    EXPECT_EQ(m_game.seen, "D3 P D3 D3 P D6 P D1 D1");
    EXPECT_EQ(m_game.Score(), 7);
    EXPECT_EQ(m_game.BoardText(),
              "......... ......... ......... ......... ......... ......... ......... ......... .......1.");
    // Seed 7, untouched by a batch on kept cells, announces 1, 2, 5.
    EXPECT_EQ(m_game.previews, (std::vector<std::string>{"222", "222", "222", "222", "125", "125"}));
    EXPECT_TRUE(m_game.SpritesMatchBoard());
}

TEST_F(GameTest, SecondLineWaitsForTheNextMove) {
    // The ball moved to (4, 1) completes the row and tops a column of six;
    // the row goes first and takes the shared cell, five of the column stay.
    m_game.SetBoard("......... 1111..... ....1.... ....1.... ....1.... ....1.... ....1.... ......... 2.......1");
    m_game.SetNext(3, 3, 3);
    m_game.Move(Cell(8, 8), Cell(4, 1));
    EXPECT_EQ(m_game.Score(), 10);
    EXPECT_EQ(m_game.BoardText(),
              "......... ......... ....1.... ....1.... ....1.... ....1.... ....1.... ......... 2........");
    // The next move makes no line of its own but is paid with the column.
    m_game.Move(Cell(0, 8), Cell(1, 8));
    EXPECT_EQ(m_game.Score(), 20);
    EXPECT_EQ(m_game.BoardText(),
              "......... ......... ......... ......... ......... ......... ......... ......... .2.......");
}

// At the top of its range the seed wraps around to negative numbers (the sanitizer build checks the arithmetic).
TEST_F(GameTest, SeedWrapsAroundAtTheTopOfItsRange) {
    m_game.SetSeed(INT_MAX);
    m_game.ChooseNextColours();
    m_game.InsertBalls();
    EXPECT_EQ(m_game.CountFreeCells(), 81 - 3);
}

TEST_F(GameTest, FailedReplayKeepsTheBoardAndSpritesInStep) {
    // The replayed batch stops at the missing picture and stays pending; the
    // next batch must not stack a ball on a cell the first one filled.
    std::filesystem::rename("res1/4.bmp", "res1/4.away");
    m_game.SetBoard("");
    m_game.KeepBatchCells({Cell(0, 0), Cell(1, 0), Cell(2, 0)});
    m_game.SetNext(3, 4, 5);
    m_game.InsertBalls();
    EXPECT_TRUE(m_game.ReplayPending());
    EXPECT_EQ(m_game.CountFreeCells(), 80);
    std::filesystem::rename("res1/4.away", "res1/4.bmp");
    m_game.InsertBalls();
    EXPECT_FALSE(m_game.ReplayPending());
    EXPECT_EQ(m_game.CountFreeCells(), 77);
    EXPECT_TRUE(m_game.SpritesMatchBoard());
}

// A missing picture cuts a batch short: the batch is what was placed, and a
// remake move takes it back with the move and announces all its colours again.
TEST_F(GameTest, RemakeMoveAfterABatchCutShort) {
    constexpr const char* opening = "......... ......... ......... ......... ....3.... ......... .....1...";
    m_game.SetBoard(opening);
    m_game.SetNext(2, 4, 6);
    std::filesystem::remove("res1/4.bmp");
    m_game.Move(Cell(4, 4), Cell(0, 0));
    ASSERT_EQ(m_game.NewCount(), 1);
    EXPECT_EQ(m_game.Cell(m_game.NewCell(0)), 2);
    m_game.ClearEvents();
    m_game.OnRemakeMove();
    EXPECT_EQ(m_game.seen, "D2");
    EXPECT_EQ(m_game.BoardText(), opening);
    EXPECT_EQ(m_game.Preview(), "246");
    EXPECT_TRUE(m_game.SpritesMatchBoard());
}

// Select, then start again: the selection must not outlive its sprite.
TEST_F(GameTest, NewGameDropsSelectionAndStartsPlayable) {
    m_game.SetBoard("1.1");
    m_game.Move(Cell(0, 0), Cell(1, 0));
    m_game.Click(Cell(1, 0));
    ASSERT_TRUE(m_game.IsSelected());
    m_game.OnNewGame();
    EXPECT_TRUE(m_game.IsRemakeRefused());
    EXPECT_FALSE(m_game.IsSelected());
    EXPECT_EQ(m_game.SelectedSprite(), nullptr);
    m_game.Click(m_game.NewCell(1));
    EXPECT_TRUE(m_game.IsSelected());
    EXPECT_TRUE(m_game.SpritesMatchBoard());
}

}  // namespace
