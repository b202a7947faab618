// The game's real window under X, driven by real input (xdotool) and read
// back from the server: place, icon, start picture, clicks, walk, quitting.
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <map>

#include "app/tests/AppTestSupport.h"

namespace {

class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string missing = MissingXTools();
        if (!missing.empty()) GTEST_SKIP() << missing;
        ASSERT_TRUE(m_folder.Ready());
        ASSERT_TRUE(m_reader.LoadLooks());
        QProcessEnvironment environment = EnvironmentWithoutDisplay();
        environment.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
        StartGame(m_game, environment);
        ASSERT_TRUE(WaitFor([this] {
            const auto found = RunTool("xdotool", {"search", "--onlyvisible", "--name", QString::fromUtf8("шарики")});
            return (m_window = found.value_or("").split('\n').first().trimmed().toULong()) != 0;
        })) << "the game's window did not show";
        const auto shell = RunTool("xdotool", {"getwindowgeometry", "--shell", QString::number(m_window)});
        std::map<QByteArray, int> values;
        for (const QByteArray& line : shell.value_or("").split('\n'))
            if (const auto parts = line.split('='); parts.size() == 2) values[parts[0]] = parts[1].toInt();
        m_geometry = QRect(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]);
    }
    void TearDown() override { StopProcess(m_game); }

    QImage ViewOnScreen() const { return ViewPartOf(QGuiApplication::primaryScreen()->grabWindow(m_window).toImage()); }
    // Real button presses at a view point, through the X server.
    void Click(QPoint point, int presses = 1) const {
        RunTool("xdotool", {"mousemove", "--window", QString::number(m_window), QString::number(2 + point.x()),
                            QString::number(m_geometry.height() - 412 + point.y()), "click", "--repeat",
                            QString::number(presses), "--delay", "40", "1"});
    }

    ScratchRunFolder m_folder;
    BoardReader m_reader;
    QProcess m_game;
    unsigned long m_window = 0;
    QRect m_geometry;
};

}  // namespace

TEST_F(RealWindowTest, StartPictureClicksWalkAndDoubleClickOnTheRealWindow) {
    EXPECT_EQ(m_geometry.topLeft(), QPoint(100, 100));
    EXPECT_EQ(m_geometry.width(), 364);
    // The icon, drawn on a thread of its own while the program starts, is on the window in both sizes.
    const QByteArray icon = RunTool("xprop", {"-id", QString::number(m_window), "_NET_WM_ICON"}).value_or("");
    EXPECT_TRUE(icon.contains("Icon (32 x 32)") && icon.contains("Icon (16 x 16)")) << icon.left(80).toStdString();
    QImage view;
    EXPECT_TRUE(WaitFor([&] { return CompareWithGolden(view = ViewOnScreen()).empty(); }, 2000))
        << CompareWithGolden(view);
    const BoardReading start = m_reader.Read(view);
    ASSERT_TRUE(start.Readable());
    ASSERT_EQ(start.Balls(), 3);
    // Each step shows for 80 ms while the game is busy: most are caught.
    const WalkSeen walk = WalkTheLongestWay(
        m_reader, [this] { return ViewOnScreen(); }, [this](QPoint point) { Click(point); }, start, "X");
    ASSERT_TRUE(walk.selected) << "the click did not select";
    ASSERT_GE(walk.steps, 4);
    EXPECT_GE(static_cast<int>(walk.between.size()), (walk.steps - 1) / 2) << "steps of the walk seen on the screen";
    EXPECT_EQ(walk.end.colours[static_cast<std::size_t>(walk.to)], start.colours[static_cast<std::size_t>(walk.from)]);
    EXPECT_EQ(walk.end.Balls(), 6);

    // A double press selects and keeps the ball selected; a later press puts it back.
    int other = 0;
    while (walk.end.colours[static_cast<std::size_t>(other)] <= 0 || other == walk.to) ++other;
    Click(CellCentre(other), 2);
    QThread::msleep(600);
    EXPECT_EQ(m_reader.Read(ViewOnScreen()).selected, other);
    Click(CellCentre(other));
    EXPECT_TRUE(WaitFor([this] { return m_reader.Read(ViewOnScreen()).selected < 0; }, 5000));
}

TEST_F(RealWindowTest, QuitFromTheMenuByKeyboardEndsTheProgram) {
    // Keys go where the X input focus is: the game's window once it is up.
    ASSERT_TRUE(WaitFor(
        [this] { return RunTool("xdotool", {"getwindowfocus"}).value_or("").trimmed().toULong() == m_window; }));
    RunTool("xdotool", {"key", "alt+g"});
    const auto windows = [] {
        return RunTool("xdotool", {"search", "--onlyvisible", "--class", "velmor"}).value_or("");
    };
    ASSERT_TRUE(WaitFor([&] { return windows().trimmed().split('\n').size() > 1; })) << "the menu did not open";
    RunTool("xdotool", {"key", "q"});
    ASSERT_TRUE(m_game.waitForFinished(10000)) << "still running after quit";
    EXPECT_EQ(m_game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_game.exitCode(), 0);
}
