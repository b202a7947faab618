// The game's real window on a private X server, driven by real X input
// (xdotool) and read back from the server (xwd): the start picture, a
// selection, a walk that can be watched step by step, a double click, and
// quitting from the menu by keyboard.
#include <QElapsedTimer>
#include <QThread>
#include <deque>
#include <fstream>
#include <set>

#include "app/tests/AppTestSupport.h"
#include "app/tests/XServerSupport.h"
#include "view/tests/BoardViewTestSupport.h"

namespace {

using Board = std::array<int, CBoardGame::kCells>;

struct BoardReading {
    Board colours{};    // 0 empty, -1 a cell that shows nothing known
    int selected = -1;  // the cell showing a ball in its selected look
    bool Readable() const { return std::find(colours.begin(), colours.end(), -1) == colours.end(); }
    int Balls() const {
        return static_cast<int>(std::count_if(colours.begin(), colours.end(), [](int c) { return c > 0; }));
    }
};

// Tells from a picture of the view which ball each cell shows, from the
// picture files of the run folder.
class BoardReader {
public:
    bool Load() {
        m_board = LoadPicture("res1/pole.bmp");
        for (int colour = 1; colour <= 6; ++colour) {
            for (int frame = 0; frame < 2; ++frame) {
                m_looks[colour][frame] = BallLook(colour, frame);
                if (m_looks[colour][frame].isNull()) return false;
            }
        }
        return !m_board.isNull();
    }

    BoardReading Read(const QImage& view) const {
        BoardReading reading;
        for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
            int& colour = reading.colours[static_cast<std::size_t>(cell)];
            colour = view.size() == QSize(360, 410) && Shows(view, cell, nullptr) ? 0 : -1;
            for (int ball = 1; ball <= 6 && colour < 0; ++ball) {
                for (int frame = 0; frame < 2 && colour < 0; ++frame) {
                    if (!Shows(view, cell, &m_looks[ball][frame])) continue;
                    colour = ball;
                    if (frame == 1) reading.selected = cell;
                }
            }
        }
        return reading;
    }

private:
    bool Shows(const QImage& view, int cell, const QImage* look) const {
        const int left = cell % 9 * 40;
        const int top = cell / 9 * 40;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const QRgb ball = look == nullptr ? 0 : look->pixel(x, y);
                const QRgb expected = qAlpha(ball) != 0 ? ball : m_board.pixel(left + x, top + y);
                if ((view.pixel(left + x, top + 50 + y) & 0xFFFFFF) != (expected & 0xFFFFFF)) return false;
            }
        }
        return true;
    }

    QImage m_board;
    QImage m_looks[7][2];
};

// The reachable empty cell farthest from `from` and its distance.
std::pair<int, int> FarthestCell(const Board& colours, int from) {
    Board distance;
    distance.fill(-1);
    distance[static_cast<std::size_t>(from)] = 0;
    std::deque<int> queue{from};
    int farthest = from;
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        if (distance[static_cast<std::size_t>(cell)] > distance[static_cast<std::size_t>(farthest)]) farthest = cell;
        const int column = cell % 9;
        const int row = cell / 9;
        for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
            if (column + dx < 0 || column + dx > 8 || row + dy < 0 || row + dy > 8) continue;
            const int next = cell + dx + dy * 9;
            if (colours[static_cast<std::size_t>(next)] != 0 || distance[static_cast<std::size_t>(next)] >= 0) continue;
            distance[static_cast<std::size_t>(next)] = distance[static_cast<std::size_t>(cell)] + 1;
            queue.push_back(next);
        }
    }
    return {farthest, distance[static_cast<std::size_t>(farthest)]};
}

class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string missing = MissingXTools();
        if (!missing.empty()) GTEST_SKIP() << missing;
        m_pServer = std::make_unique<XServer>();
        ASSERT_TRUE(m_pServer->Running()) << "Xvfb did not start";
        m_pFolder = std::make_unique<ScratchRunFolder>();
        ASSERT_TRUE(m_pFolder->Ready());
        ASSERT_TRUE(m_reader.Load());

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("QT_QPA_PLATFORM");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("DISPLAY", m_pServer->Display());
        // Under the leak checker: the X platform's D-Bus library keeps one
        // buffer to the end, which is not the game's to free.
        const std::string suppressions = (m_pFolder->Path() / "lsan.supp").string();
        std::ofstream(suppressions) << "leak:libdbus-1.so\n";
        environment.insert("LSAN_OPTIONS", QString::fromStdString("suppressions=" + suppressions));
        m_game.setProcessEnvironment(environment);
        m_game.setWorkingDirectory(QString::fromStdString(m_pFolder->Path().string()));
        m_game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_game.start(QStringLiteral(VELMOR_PROGRAM), {"--seed", QString::number(kTestSeed)});
        ASSERT_TRUE(m_game.waitForStarted(5000));
        m_window = FindWindow(*m_pServer, QString::fromUtf8("шарики"));
        ASSERT_NE(m_window, 0u) << "the game's window did not show";
        const auto geometry = GeometryOf(*m_pServer, m_window);
        ASSERT_TRUE(geometry.has_value());
        m_geometry = *geometry;
    }

    void TearDown() override {
        if (m_game.state() == QProcess::NotRunning) return;
        m_game.terminate();
        if (!m_game.waitForFinished(3000)) {
            m_game.kill();
            m_game.waitForFinished(3000);
        }
    }

    QImage ViewOnScreen() const {
        const QImage window = GrabXWindow(*m_pServer, m_window);
        return window.isNull() ? window : ViewPartOf(window);
    }

    // Real button presses at a view point, through the X server.
    void Click(QPoint point, int presses = 1) const {
        const int x = 2 + point.x();
        const int y = m_geometry.height - 2 - 410 + point.y();
        m_pServer->Tool("xdotool",
                        {"mousemove", "--window", QString::number(m_window), QString::number(x), QString::number(y),
                         "click", "--repeat", QString::number(presses), "--delay", "40", "1"});
    }

    // Reads the board until it satisfies the condition; the last reading.
    BoardReading WaitForBoard(const std::function<bool(const BoardReading&)>& condition,
                              int timeoutMilliseconds = 5000) const {
        QElapsedTimer timer;
        timer.start();
        BoardReading reading;
        do {
            reading = m_reader.Read(ViewOnScreen());
            if (reading.Readable() && condition(reading)) break;
            QThread::msleep(20);
        } while (timer.elapsed() < timeoutMilliseconds);
        return reading;
    }

    std::unique_ptr<XServer> m_pServer;
    std::unique_ptr<ScratchRunFolder> m_pFolder;
    BoardReader m_reader;
    QProcess m_game;
    unsigned long m_window = 0;
    WindowGeometry m_geometry;
};

}  // namespace

TEST_F(RealWindowTest, StartPictureClicksWalkAndDoubleClickOnTheRealWindow) {
    EXPECT_EQ(m_geometry.x, 100);
    EXPECT_EQ(m_geometry.y, 100);
    EXPECT_EQ(m_geometry.width, 364);
    QImage view;
    for (int attempt = 0; attempt < 100 && CompareWithGolden(view = ViewOnScreen()) != ""; ++attempt)
        QThread::msleep(20);
    EXPECT_EQ(CompareWithGolden(view), "");

    const BoardReading start = m_reader.Read(view);
    ASSERT_TRUE(start.Readable());
    ASSERT_EQ(start.Balls(), 3);
    const int from = static_cast<int>(
        std::find_if(start.colours.begin(), start.colours.end(), [](int c) { return c > 0; }) - start.colours.begin());
    const int colour = start.colours[static_cast<std::size_t>(from)];

    Click(CellCentre(from));
    EXPECT_EQ(WaitForBoard([from](const BoardReading& r) { return r.selected == from; }).selected, from);

    const auto [to, steps] = FarthestCell(start.colours, from);
    ASSERT_GE(steps, 4);
    Click(CellCentre(to));
    // The steps of the walk reach the screen while the game is busy.
    std::set<int> seenBetween;
    const BoardReading moved = WaitForBoard([&](const BoardReading& r) {
        for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
            const bool extra = r.colours[static_cast<std::size_t>(cell)] == colour &&
                               start.colours[static_cast<std::size_t>(cell)] == 0;
            if (extra && cell != to && r.colours[static_cast<std::size_t>(from)] == 0 && r.Balls() == 3)
                seenBetween.insert(cell);
        }
        return r.colours[static_cast<std::size_t>(to)] == colour && r.Balls() == 6 && r.selected < 0;
    });
    // Each step stays 80 ms on the screen, long enough for most to be caught.
    EXPECT_GE(static_cast<int>(seenBetween.size()), (steps - 1) / 2) << "steps of the walk seen on the screen";
    EXPECT_EQ(moved.colours[static_cast<std::size_t>(to)], colour);
    EXPECT_EQ(moved.colours[static_cast<std::size_t>(from)], 0);
    EXPECT_EQ(moved.Balls(), 6);

    // A quick double press selects and keeps the ball selected.
    int other = 0;
    while (moved.colours[static_cast<std::size_t>(other)] <= 0 || other == to) ++other;
    Click(CellCentre(other), 2);
    QThread::msleep(600);
    EXPECT_EQ(m_reader.Read(ViewOnScreen()).selected, other);
    // A later, separate press puts it back.
    Click(CellCentre(other));
    EXPECT_EQ(WaitForBoard([](const BoardReading& r) { return r.selected < 0; }).selected, -1);
}

TEST_F(RealWindowTest, QuitFromTheMenuByKeyboardEndsTheProgram) {
    const auto waitUntil = [](const std::function<bool()>& condition) {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < 10000) QThread::msleep(20);
        return condition();
    };
    // Keys go where the X input focus is: the game's window once it is up.
    ASSERT_TRUE(waitUntil([this] {
        const auto focus = m_pServer->Tool("xdotool", {"getwindowfocus"});
        return focus && focus->trimmed().toULong() == m_window;
    }));
    m_pServer->Tool("xdotool", {"key", "alt+g"});
    ASSERT_TRUE(waitUntil([this] {
        const auto windows = m_pServer->Tool("xdotool", {"search", "--onlyvisible", "--class", "velmor"});
        return windows && windows->trimmed().split('\n').size() > 1;
    })) << "the menu did not open";
    m_pServer->Tool("xdotool", {"key", "q"});
    ASSERT_TRUE(m_game.waitForFinished(10000)) << "still running after quit";
    EXPECT_EQ(m_game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_game.exitCode(), 0);
}
