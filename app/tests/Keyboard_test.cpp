// Keyboard play on the game's real window under X, with real keys (xdotool): five moves of kTestSeed's game, the last
// one scoring a line, typed (with editing keys the game never had) end on the picture of the same moves clicked; and
// the menu by keys.
#include <QKeySequence>

#include "app/tests/AppTestSupport.h"

namespace {

// From the start of kTestSeed's game: each move brings three balls, and the fifth completes a row of five.
constexpr std::pair<int, int> kMoves[] = {{52, 76}, {57, 73}, {71, 49}, {66, 74}, {71, 77}};
constexpr int kBallsAfter[] = {6, 9, 12, 15, 10};

// The arrow keys from one cell to another, by the names xdotool takes ("Left", "Up", ...).
QStringList ArrowsTo(int from, int to) {
    QStringList names;
    for (const Qt::Key key : ArrowKeys(from, to)) names << QKeySequence(key).toString();
    return names;
}

// Waits until the window of that caption (blanks aside) has the keyboard.
bool KeyboardGoesTo(const char* caption) {
    return WaitFor([caption] {
        const auto name = RunTool("xdotool", {"getwindowfocus", "getwindowname"}).value_or("");
        return QString::fromUtf8(name).trimmed() == QString::fromUtf8(caption);
    });
}

// The first game is played by clicks, a second one by keys.
class RealWindowKeysTest : public RealWindowTest {};

}  // namespace

TEST_F(RealWindowKeysTest, MovesTypedEndAsTheSameMovesClickedAndTheMenuQuits) {
    ASSERT_TRUE(WaitFor([&] { return m_reader.Read(m_game->ViewOnScreen()).Readable(); }))
        << "the start picture did not show";
    QImage clicked;
    for (std::size_t move = 0; move < std::size(kMoves); ++move) {
        m_game->Click(CellCentre(kMoves[move].first));
        m_game->Click(CellCentre(kMoves[move].second));
        const auto moved = [&] {
            clicked = m_game->ViewOnScreen();
            const BoardReading reading = m_reader.Read(clicked);
            return reading.Readable() && reading.selected < 0 && reading.Balls() == kBallsAfter[move];
        };
        ASSERT_TRUE(WaitFor(moved)) << "clicked move " << move;
    }

    m_game.reset();  // its window gone before the next one is looked for
    m_game = std::make_unique<GameOnX>();
    ASSERT_EQ(m_game->FindWindow(), "");
    // The window has the keyboard from the start, and again after a dialog: the records table, by keys.
    ASSERT_TRUE(KeyboardGoesTo("шарики"));
    GameOnX::Type({"alt+g", "s"});
    ASSERT_TRUE(KeyboardGoesTo("РЕКОРДЫ")) << "the menu's mnemonics";
    GameOnX::Type({"Escape"});
    ASSERT_TRUE(KeyboardGoesTo("шарики"));

    // All at once: keys typed during a walk wait for the turn's end.  The first arrow shows the cursor on the centre.
    // Editing keys the game never had change nothing: typed before the second move, when the first could be taken
    // back, and again with its ball selected.  A dialog they opened would take the keys after them.
    const QStringList strayKeys{"ctrl+c",       "ctrl+Insert", "ctrl+v",        "shift+Insert", "ctrl+x",
                                "shift+Delete", "ctrl+z",      "alt+BackSpace", "F6",           "shift+F6"};
    QStringList keys{"Down"};
    int cursor = CBoardView::kFirstCursorCell;
    for (const auto& [from, to] : kMoves) {
        const QStringList stray = from == kMoves[1].first ? strayKeys : QStringList();
        keys << stray << ArrowsTo(cursor, from) << "space" << stray << ArrowsTo(from, to) << "Return";
        cursor = to;
    }
    GameOnX::Type(keys);
    // The cursor stays on the last target, drawn after the turn; a click hides it.
    const auto typedToTheEnd = [&] {
        const BoardReading reading = m_reader.Read(m_game->ViewOnScreen());
        const auto unknown = std::ranges::count(reading.colours, -1);
        return unknown == 1 && reading.colours[static_cast<std::size_t>(cursor)] == -1 && reading.Balls() == 10;
    };
    ASSERT_TRUE(WaitFor(typedToTheEnd, 20000));
    m_game->Click(kOnTheBand);
    QImage typed;
    const auto typedAsClicked = [&] {
        typed = m_game->ViewOnScreen();
        return FirstDifference(typed, clicked, clicked.rect()).empty();
    };
    EXPECT_TRUE(WaitFor(typedAsClicked, 5000)) << FirstDifference(typed, clicked, clicked.rect());

    GameOnX::Type({"alt+g", "q"});
    ASSERT_TRUE(m_game->Process().waitForFinished(10000)) << "still running after quit";
    EXPECT_EQ(m_game->Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_game->Process().exitCode(), 0);
}
