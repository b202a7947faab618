// The game's real window on a private X server, driven by real X input
// (xdotool) and read back from the server (xwd): the start picture, a
// selection, a walk that can be watched step by step, a double click, and
// quitting from the menu by keyboard.
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <fstream>

#include "app/tests/AppTestSupport.h"
#include "app/tests/XServerSupport.h"

namespace {

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
    const WalkSeen walk = WatchWalk(m_reader, [this] { return ViewOnScreen(); }, start, from, to);
    const BoardReading& moved = walk.end;
    std::printf("walk on X: %zu of %d steps on the way seen, longest gap %lld ms\n", walk.between.size(), steps - 1,
                static_cast<long long>(walk.longestGap));
    // Each step stays 80 ms on the screen, long enough for most to be caught.
    EXPECT_GE(static_cast<int>(walk.between.size()), (steps - 1) / 2) << "steps of the walk seen on the screen";
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
