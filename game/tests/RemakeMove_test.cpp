// Remake move: taking back the last turn that brought new balls, and the
// repeated batch that follows it.
#include <filesystem>

#include "game/tests/GameTestSupport.h"

namespace {

constexpr const char* kOpening =
    "......... ......... ......... ......... ....3.... ......... .....1... ......... .........";

class RemakeTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        Game().SetBoard(kOpening);
        Game().SetNext(2, 4, 6);
        Game().SetSeed(1000);
    }
    // The batch of the last turn: its cells and colours.
    std::vector<std::pair<int, int>> Batch() {
        std::vector<std::pair<int, int>> batch;
        for (int index = 0; index < Game().NewCount(); ++index) {
            batch.emplace_back(Game().NewCell(index), Game().Cell(Game().NewCell(index)));
        }
        return batch;
    }
};

TEST_F(RemakeTest, RefusedBeforeAnyBatch) {
    Game().OnRemakeMove();
    EXPECT_TRUE(Game().events.empty());
    EXPECT_EQ(Game().BoardText(), std::string(kOpening));
}

TEST_F(RemakeTest, TakesBackTheBatchAndTheMove) {
    Game().Move(Cell(4, 4), Cell(0, 0));
    const auto batch = Batch();
    ASSERT_EQ(batch.size(), 3u);
    Game().ClearEvents();

    Game().OnRemakeMove();
    EXPECT_EQ(Game().BoardText(), std::string(kOpening));
    EXPECT_EQ((std::vector<int>{Game().Next(0), Game().Next(1), Game().Next(2)}), (std::vector<int>{2, 4, 6}));
    EXPECT_EQ(Game().events, std::vector<std::string>{"draw"});
    EXPECT_EQ(Game().Score(), 0);
    EXPECT_TRUE(Game().SpritesMatchBoard());

    // The same move brings the same balls; so does another move.
    Game().Move(Cell(4, 4), Cell(0, 0));
    EXPECT_EQ(Batch(), batch);
    Game().OnRemakeMove();
    Game().Move(Cell(5, 6), Cell(8, 8));
    EXPECT_EQ(Batch(), batch);
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

TEST_F(RemakeTest, AnnouncesTheWholeBatchAgainAfterAMissingPicture) {
    std::filesystem::rename("res1/4.bmp", "res1/4.away");
    Game().Move(Cell(4, 4), Cell(0, 0));
    ASSERT_EQ(Game().NewCount(), 1);  // the batch stopped at colour 4
    Game().OnRemakeMove();
    EXPECT_EQ(Game().BoardText(), std::string(kOpening));
    EXPECT_EQ((std::vector<int>{Game().Next(0), Game().Next(1), Game().Next(2)}), (std::vector<int>{2, 4, 6}));
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

TEST_F(RemakeTest, RefusedTwiceInARowAndWhileSelected) {
    Game().Move(Cell(4, 4), Cell(0, 0));
    Game().Click(Cell(0, 0));
    Game().ClearEvents();
    Game().OnRemakeMove();  // a ball is selected
    EXPECT_TRUE(Game().events.empty());
    Game().Click(Cell(0, 0));  // cancel

    Game().OnRemakeMove();
    const std::string taken = Game().BoardText();
    Game().ClearEvents();
    Game().OnRemakeMove();
    EXPECT_TRUE(Game().events.empty());
    EXPECT_EQ(Game().BoardText(), taken);
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

TEST_F(RemakeTest, RefusedAfterATurnThatMadeALine) {
    Game().SetBoard("......... 2222..... ......... ......... ......... ......... ......... ......... 3.......2");
    Game().KeepBatchCells({Cell(0, 0), Cell(1, 0), Cell(2, 0)});
    Game().Move(Cell(0, 8), Cell(0, 7));  // a batch
    Game().Move(Cell(8, 8), Cell(4, 1));  // a line: the moved ball is gone
    ASSERT_EQ(Game().Score(), 10);
    const std::string after = Game().BoardText();
    Game().OnRemakeMove();
    EXPECT_EQ(Game().BoardText(), after);
    EXPECT_TRUE(Game().IsRemakeRefused());
}

TEST_F(RemakeTest, ReplayAvoidsCellsTheNewMoveFilled) {
    Game().Move(Cell(4, 4), Cell(0, 0));
    const auto batch = Batch();
    Game().OnRemakeMove();
    // Move a ball onto the cell kept for the first new ball.
    Game().Move(Cell(5, 6), batch[0].first);
    EXPECT_EQ(Game().Cell(batch[0].first), 1);
    EXPECT_EQ(Game().CountFreeCells(), 81 - 5);
    EXPECT_EQ(Game().Cell(batch[1].first), batch[1].second);
    EXPECT_EQ(Game().Cell(batch[2].first), batch[2].second);
    EXPECT_EQ(Game().Cell(Game().NewCell(0)), batch[0].second);
    EXPECT_TRUE(Game().SpritesMatchBoard());

    // Taking that back removes the relocated ball, not the moved one.
    Game().OnRemakeMove();
    EXPECT_EQ(Game().BoardText(), std::string(kOpening));
    EXPECT_TRUE(Game().SpritesMatchBoard());
}

}  // namespace
