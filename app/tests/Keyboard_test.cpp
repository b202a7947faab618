// Keyboard play on the game's real window under X, with real keys (xdotool): five moves of kTestSeed's game, the last
// one scoring a line, typed end on the picture of the same moves clicked.
#include <QGuiApplication>
#include <QKeySequence>
#include <QProcess>
#include <QScreen>

#include "app/tests/AppTestSupport.h"

namespace {

// From the start of kTestSeed's game: each move brings three balls, and the fifth completes a row of five.
constexpr std::pair<int, int> kMoves[] = {{52, 76}, {57, 73}, {71, 49}, {66, 74}, {71, 77}};
constexpr int kBallsAfter[] = {6, 9, 12, 15, 10};

// The game as a process, its window found on the X server.
class GameOnX {
public:
    GameOnX() {
        QProcessEnvironment environment = EnvironmentWithoutDisplay();
        environment.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
        StartGame(m_game, environment);
    }
    ~GameOnX() { StopProcess(m_game); }

    bool FindWindow() {
        const bool found = WaitFor([this] {
            const auto list = RunTool("xdotool", {"search", "--onlyvisible", "--name", QString::fromUtf8("шарики")});
            m_window = list.value_or("").split('\n').first().trimmed().toULong();
            return m_window != 0;
        });
        const auto shell = RunTool("xdotool", {"getwindowgeometry", "--shell", QString::number(m_window)});
        for (const QByteArray& line : shell.value_or("").split('\n')) {
            if (line.startsWith("HEIGHT=")) m_height = line.mid(7).toInt();
        }
        return found && m_height > 0;
    }
    QImage View() const { return ViewPartOf(QGuiApplication::primaryScreen()->grabWindow(m_window).toImage()); }
    void Click(QPoint point) const {
        RunTool("xdotool", {"mousemove", "--window", Id(), QString::number(2 + point.x()),
                            QString::number(m_height - 412 + point.y()), "click", "1"});
    }
    // Real key presses, to the window that has the keyboard.
    static void Type(const QStringList& keys) { RunTool("xdotool", QStringList{"key", "--delay", "20"} + keys); }

private:
    QString Id() const { return QString::number(m_window); }

    QProcess m_game;
    unsigned long m_window = 0;
    int m_height = 0;
};

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

}  // namespace

TEST(RealWindowKeysTest, MovesTypedEndAsTheSameMovesClicked) {
    const std::string missing = MissingXTools();
    if (!missing.empty()) GTEST_SKIP() << missing;
    const ScratchRunFolder folder;
    ASSERT_TRUE(folder.Ready());
    BoardReader reader;
    ASSERT_TRUE(reader.LoadLooks());

    QImage clicked;
    {
        GameOnX game;
        ASSERT_TRUE(game.FindWindow());
        ASSERT_TRUE(WaitFor([&] { return reader.Read(game.View()).Readable(); })) << "the start picture did not show";
        for (std::size_t move = 0; move < std::size(kMoves); ++move) {
            game.Click(CellCentre(kMoves[move].first));
            game.Click(CellCentre(kMoves[move].second));
            ASSERT_TRUE(WaitFor([&] {
                const BoardReading reading = reader.Read(clicked = game.View());
                return reading.Readable() && reading.selected < 0 && reading.Balls() == kBallsAfter[move];
            })) << "clicked move "
                << move;
        }
    }

    GameOnX game;
    ASSERT_TRUE(game.FindWindow());
    // The window has the keyboard from the start, and again after a dialog: the records table, by keys.
    ASSERT_TRUE(KeyboardGoesTo("шарики"));
    GameOnX::Type({"alt+g", "s"});
    ASSERT_TRUE(KeyboardGoesTo("РЕКОРДЫ")) << "the menu's mnemonics";
    GameOnX::Type({"Escape"});
    ASSERT_TRUE(KeyboardGoesTo("шарики"));

    // All at once: keys typed during a walk wait for the turn's end.  The first arrow shows the cursor on the centre.
    QStringList keys{"Down"};
    int cursor = CBoardView::kFirstCursorCell;
    for (const auto& [from, to] : kMoves) {
        keys << ArrowsTo(cursor, from) << "space" << ArrowsTo(from, to) << "Return";
        cursor = to;
    }
    GameOnX::Type(keys);
    // The cursor stays on the last target, drawn after the turn; a click hides it.
    const auto typedToTheEnd = [&] {
        const BoardReading reading = reader.Read(game.View());
        const auto unknown = std::ranges::count(reading.colours, -1);
        return unknown == 1 && reading.colours[static_cast<std::size_t>(cursor)] == -1 && reading.Balls() == 10;
    };
    ASSERT_TRUE(WaitFor(typedToTheEnd, 20000));
    game.Click(kOnTheBand);
    QImage typed;
    EXPECT_TRUE(WaitFor([&] { return FirstDifference(typed = game.View(), clicked, clicked.rect()).empty(); }, 5000))
        << FirstDifference(typed, clicked, clicked.rect());
}
