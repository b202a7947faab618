// The pacing of a turn, lines on the new balls, game over with the records,
// and new game.
#include "game/tests/GameTestSupport.h"

namespace {

// A move without a line brings the announced balls; a line they make goes
// without points, and the move can be taken back.
TEST_F(GameTest, MoveWithoutLineBringsTheAnnouncedBalls) {
    Game().SetBoard("......... ......... ......... ......... ......... ......... ......... 3........ 1111.....");
    Game().KeepBatchCells({Cell(4, 8), Cell(8, 0), Cell(8, 1)});
    Game().SetNext(1, 5, 5);
    Game().SetSeed(42);
    Game().Move(Cell(0, 7), Cell(0, 5));
    EXPECT_EQ(Game().Score(), 0);
    EXPECT_EQ(Game().BoardText(), "........5 ........5 ......... ......... ......... 3........");
    EXPECT_FALSE(Game().IsRemakeRefused());
    EXPECT_NE(Game().Seed(), 42);
    // select; two steps; plain redraw; new balls; end of turn; game-over check
    EXPECT_EQ(Game().events,
              (Events{"draw", "pause", "draw", "pause", "draw", "draw", "pause", "draw", "pause", "draw", "draw"}));
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
        if (replay) Game().KeepBatchCells({Cell(8, 8), Cell(0, 0), Cell(4, 4)});
        Game().Click(Cell(8, 8));
        Game().ClearEvents();
        Game().Click(Cell(4, 0));
        EXPECT_EQ(Game().Score(), 10);
        const auto batch = Game().Batch();
        ASSERT_EQ(batch.size(), 3u);
        EXPECT_EQ((std::vector<int>{batch[0].second, batch[1].second, batch[2].second}), (std::vector<int>{1, 5, 6}));
        if (replay) {
            EXPECT_EQ(Game().BoardText(),
                      "5........ ......... ......... ......... ....6.... ......... ......... ......... ........1");
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

// One empty cell besides the ball about to move: the turn's batch fills the board.
constexpr const char* kNearlyFull =
    "123451234 345123451 512345123 234512345 451234512 123451234 345123451 512345123 234512..5";

// The game ends once, when a batch fills the board; the name dialog and the
// table come only for a score that enters the records file.
TEST_F(GameTest, FullBoardEndsTheGameOnce) {
    std::string fullTable;
    for (int record = 0; record < 10; ++record) fullTable += std::string("500\0\0", 5) + std::string(25, ' ');
    for (const std::string& table : {std::string(), fullTable}) {  // an empty table takes any score
        WriteWholeFile("res1/stat.txt", table);
        Game().SetBoard(kNearlyFull);
        Game().SetScore(123);
        Game().nameAnswer = "Ann";
        Game().ClearEvents();
        Game().Move(Cell(8, 8), Cell(7, 8));
        EXPECT_TRUE(Game().IsGameOver());
        const bool record = table.empty();
        EXPECT_EQ(Game().Count("ask") + Game().Count("show"), record ? 2 : 0);
        EXPECT_EQ(Game().events.back(), record ? "show" : "draw");
        const std::string head = record ? std::string("123\0\0Ann      ", 14) : table.substr(0, 14);
        EXPECT_EQ(ReadText("res1/stat.txt").substr(0, 14), head);
        // Later clicks select nothing and end no game again.
        Game().ClearEvents();
        Game().Move(Cell(0, 0), Cell(1, 0));
        EXPECT_FALSE(Game().IsSelected());
        EXPECT_EQ(Game().events, (Events{"draw", "draw"}));
        Game().OnNewGame();
    }
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
