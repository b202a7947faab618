// The turn controller: selecting, moving, cancelling, the pacing of a turn,
// game over and the records commands.
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "game/tests/GameTestSupport.h"

namespace {

using Events = std::vector<std::string>;

std::string ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST_F(GameTest, FirstClickSelectsOnlyABall) {
    Game().SetBoard("......... ......... ......... ......... ....3.... ......... ......... ......... .........");
    Game().Click(Cell(0, 0));                           // an empty cell
    Game().ClickAt(4 * 40 + 1, 4 * 40 + 1 + 50);        // the ball's transparent corner
    Game().ClickAt(4 * 40 + 20, -10);                   // above the board
    EXPECT_TRUE(Game().events.empty());
    EXPECT_FALSE(Game().IsSelected());

    Game().Click(Cell(4, 4));
    EXPECT_TRUE(Game().IsSelected());
    EXPECT_EQ(Game().From(), Cell(4, 4));
    EXPECT_EQ(Game().SelectedSprite(), Game().FindCellSprite(Cell(4, 4)));
    EXPECT_EQ(Game().events, Events{"draw"});
}

// Clicks far off the board select nothing and cancel a selection.
TEST_F(GameTest, ClicksAnywhereInIntRangeAreSafe) {
    const char* layout = "......... ......... ......... ......... ....3.... ......... ......... ......... .........";
    Game().SetBoard(layout);
    for (const int x : {INT_MIN, -1, 180, INT_MAX}) {
        for (const int y : {INT_MIN, INT_MIN + 49, 49, 410, INT_MAX}) {
            SCOPED_TRACE(std::to_string(x) + " " + std::to_string(y));
            Game().ClickAt(x, y);
            EXPECT_FALSE(Game().IsSelected());
            Game().Click(Cell(4, 4));
            Game().ClickAt(x, y);
            EXPECT_FALSE(Game().IsSelected());
            EXPECT_EQ(Game().BoardText(), std::string(layout));
        }
    }
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

// The board picture: the board file with every ball over it, transparent
// corners left out, the selected ball in its second frame.
TEST_F(GameTest, ComposedBoardShowsTheSelectedBallInItsSecondFrame) {
    Game().SetBoard("......... ......... ......... ......... ....3.6.. ......... ......... ......... .........");
    Game().Click(Cell(4, 4));
    Game().ComposeBoardPicture();
    const CDIB& picture = Game().BoardPicture();
    ASSERT_EQ(picture.ImageWidth(), 360);
    const auto pixel = [&picture](int x, int y) { return *picture.GetPixelAddress(x, y); };
    EXPECT_EQ(pixel(4 * 40 + 20, 4 * 40 + 20), BallIndex(3, 1));
    EXPECT_EQ(pixel(6 * 40 + 20, 4 * 40 + 20), BallIndex(6, 0));
    EXPECT_EQ(pixel(4 * 40 + 2, 4 * 40 + 2), kBoardIndex);  // the ball's transparent corner
    EXPECT_EQ(pixel(5 * 40 + 20, 4 * 40 + 20), kBoardIndex);

    Game().Click(Cell(4, 4));  // cancel: every ball plain again
    Game().ComposeBoardPicture();
    EXPECT_EQ(pixel(4 * 40 + 20, 4 * 40 + 20), BallIndex(3, 0));
}

TEST_F(GameTest, SecondClickOnABallCancels) {
    Game().SetBoard("......... ......... ......... ......... ....3.6.. ......... ......... ......... .........");
    Game().Move(Cell(4, 4), Cell(4, 4));
    Game().Move(Cell(4, 4), Cell(6, 4));
    EXPECT_FALSE(Game().IsSelected());
    EXPECT_EQ(Game().SelectedSprite(), nullptr);
    EXPECT_EQ(Game().events, (Events{"draw", "draw", "draw", "draw", "draw", "draw"}));
    EXPECT_EQ(Game().CountFreeCells(), 79);
    EXPECT_TRUE(Game().IsRemakeRefused());
}

TEST_F(GameTest, MoveWithoutLineBringsTheAnnouncedBalls) {
    Game().SetBoard("......... ......... ......... ......... ....3.... ......... ......... ......... .........");
    Game().SetNext(1, 2, 6);
    Game().SetSeed(42);
    Game().Move(Cell(4, 4), Cell(6, 3));
    EXPECT_EQ(Game().Cell(Cell(6, 3)), 3);
    EXPECT_EQ(Game().Cell(Cell(4, 4)), 0);
    EXPECT_EQ(Game().CountFreeCells(), 77);
    const int announced[] = {1, 2, 6};
    for (int index = 0; index < 3; ++index) EXPECT_EQ(Game().Cell(Game().NewCell(index)), announced[index]);
    EXPECT_FALSE(Game().IsRemakeRefused());
    EXPECT_NE(Game().Seed(), 42);
    // select; three steps; plain redraw; new balls; end of turn; game-over check
    EXPECT_EQ(Game().events, (Events{"draw", "pause", "draw", "pause", "draw", "pause", "draw", "draw", "pause",
                                     "draw", "pause", "draw", "draw"}));
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

TEST_F(GameTest, LineOfNewBallsGoesWithoutPoints) {
    Game().SetBoard("......... ......... ......... ......... ......... ......... ......... 3........ 1111.....");
    Game().KeepBatchCells({Cell(4, 8), Cell(8, 0), Cell(8, 1)});
    Game().SetNext(1, 5, 5);
    Game().Move(Cell(0, 7), Cell(0, 6));
    EXPECT_EQ(Game().Score(), 0);
    EXPECT_EQ(Game().BoardText(),
              "........5 ........5 ......... ......... ......... ......... 3........ ......... .........");
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

// A line that takes the last balls: the announced balls come right after it
// (on the kept cells when a remake move left some), and the turn ends like
// a line turn; the line cannot be taken back.
TEST_F(GameTest, LineThatEmptiesTheBoardBringsTheAnnouncedBalls) {
    for (const bool replay : {false, true}) {
        SCOPED_TRACE(replay);
        Game().SetBoard("2222..... ......... ......... ......... ......... ......... ......... ......... ........2");
        Game().SetScore(0);
        Game().SetNext(1, 5, 6);
        const std::vector<int> kept = {Cell(8, 8), Cell(0, 0), Cell(4, 4)};
        if (replay) Game().KeepBatchCells(kept);
        Game().Click(Cell(8, 8));
        Game().ClearEvents();
        Game().Click(Cell(4, 0));
        EXPECT_EQ(Game().Score(), 10);
        EXPECT_EQ(Game().CountFreeCells(), 78);
        const int announced[] = {1, 5, 6};
        for (int index = 0; index < 3; ++index) {
            EXPECT_EQ(Game().Cell(Game().NewCell(index)), announced[index]);
            if (replay) {
                EXPECT_EQ(Game().NewCell(index), kept[static_cast<std::size_t>(index)]);
            }
        }
        Events expected;
        for (int step = 0; step < 12; ++step) expected.insert(expected.end(), {"pause", "draw"});
        expected.insert(expected.end(), {"draw", "pause", "draw", "pause", "draw", "draw"});
        EXPECT_EQ(Game().events, expected);
        const std::string after = Game().BoardText();
        Game().OnRemakeMove();
        EXPECT_TRUE(Game().IsRemakeRefused());
        EXPECT_EQ(Game().BoardText(), after);
        EXPECT_TRUE(Game().SpritesMatchBoard());
    }
}

// A board with one empty cell besides the ball about to move: the turn's
// batch fills it and the board.
constexpr const char* kNearlyFull =
    "123451234 345123451 512345123 234512345 451234512 123451234 345123451 512345123 234512..5";

TEST_F(GameTest, FullBoardEndsTheGameOnceWithRecords) {
    std::ofstream("res1/stat.txt").close();  // an empty table takes any score
    Game().SetBoard(kNearlyFull);
    Game().SetScore(123);
    Game().SetNext(6, 6, 6);
    Game().nameAnswer = "Ann";
    Game().Move(Cell(8, 8), Cell(7, 8));
    EXPECT_TRUE(Game().IsGameOver());
    EXPECT_EQ(Game().Count("ask"), 1);
    EXPECT_EQ(Game().Count("show"), 1);
    EXPECT_EQ(Game().events.back(), "show");
    EXPECT_EQ(ReadFile("res1/stat.txt").substr(0, 14), std::string("123\0\0Ann      ", 14));

    // Later clicks select nothing and end no game again.
    Game().ClearEvents();
    Game().Click(Cell(0, 0));
    Game().Click(Cell(1, 0));
    EXPECT_FALSE(Game().IsSelected());
    EXPECT_EQ(Game().events, (Events{"draw", "draw"}));
}

TEST_F(GameTest, GameOverWithoutARecordShowsNothing) {
    for (const bool fileExists : {false, true}) {
        if (fileExists) {
            std::ofstream table("res1/stat.txt", std::ios::binary);
            for (int record = 0; record < 10; ++record) table.write("500\0\0", 5) << std::string(25, ' ');
        }
        Game().SetBoard(kNearlyFull);
        Game().SetNext(1, 1, 1);
        Game().SetScore(10);
        Game().ClearEvents();
        Game().Move(Cell(8, 8), Cell(7, 8));
        EXPECT_TRUE(Game().IsGameOver());
        EXPECT_EQ(Game().Count("ask") + Game().Count("show"), 0);
        Game().OnNewGame();
    }
}

TEST_F(GameTest, NewGameDropsSelectionAndStartsPlayable) {
    Game().SetBoard(kNearlyFull);
    Game().SetNext(1, 1, 1);
    Game().Move(Cell(8, 8), Cell(7, 8));
    ASSERT_TRUE(Game().IsGameOver());
    Game().Click(Cell(0, 0));
    Game().OnNewGame();
    EXPECT_FALSE(Game().IsGameOver());
    EXPECT_EQ(Game().Score(), 0);
    EXPECT_EQ(Game().CountFreeCells(), 78);
    EXPECT_TRUE(Game().IsRemakeRefused());

    // Select, then start again: the selection must not outlive its sprite.
    const int ball = Game().NewCell(0);
    Game().Click(ball);
    ASSERT_TRUE(Game().IsSelected());
    Game().OnNewGame();
    EXPECT_FALSE(Game().IsSelected());
    EXPECT_EQ(Game().SelectedSprite(), nullptr);
    Game().Click(Game().NewCell(1));
    EXPECT_TRUE(Game().IsSelected());
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

}  // namespace
