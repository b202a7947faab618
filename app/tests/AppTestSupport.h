// The program run as a process with a fixed first seed, and the board read
// back from pictures of its window.
#pragma once

#include <QImage>
#include <QProcess>
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

#include "platform/ui/WinApp.h"
#include "view/tests/ViewTestSupport.h"

inline constexpr std::uint32_t kTestSeed = 20240601;

// A tool's standard output, or nothing when it failed or took over 20 s.
std::optional<QByteArray> RunTool(const QString& program, const QStringList& arguments,
                                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
QProcessEnvironment EnvironmentWithoutDisplay();

// The view's 360 x 410 points in a picture of the whole main window, in pixels at that scale.
QImage ViewPartOf(const QImage& window, double scale = 1);
// Compares a start picture of the view with the stored one for kTestSeed: exact outside the band's text boxes
// (fonts differ between machines), some ink inside each.  Empty when they agree.
std::string CompareWithGolden(const QImage& view);
std::string GoldenPath();

// The board read from pictures of the view, by the current folder's pictures (LoadLooks first).
struct BoardReading {
    Board colours{};  // 0 empty, -1 a cell that shows nothing known
    int selected = -1;  // the cell showing a ball in its selected look
    bool Readable() const { return std::ranges::find(colours, -1) == colours.end(); }
    int Balls() const {
        return static_cast<int>(std::ranges::count_if(colours, [](int c) { return c > 0; }));
    }
};
class BoardReader {
public:
    bool LoadLooks();
    BoardReading Read(const QImage& view) const;

private:
    QImage m_boards[7][2];  // every cell showing one colour (0 none) in one frame
};

// A picture as the screen showed it, and when: milliseconds on the display server's clock.
struct ShownFrame {
    QImage picture;
    qint64 shownAt = 0;
};
// The next picture with a change, in the order shown, waiting at most the given milliseconds; the last one again
// when none comes in time.
using FrameSource = std::function<ShownFrame(int milliseconds)>;
// Pictures as the screen showed them, taken as they come (on any thread) and looked at later, in the order shown.
class ShownFrames {
public:
    virtual ~ShownFrames() = default;
    // As a FrameSource.
    ShownFrame Next(int milliseconds);
    // The newest picture: those shown before it are passed over.
    ShownFrame Newest(int milliseconds);

protected:
    void Add(ShownFrame frame);
    // Called while the test waits, for pictures that come on its own thread.
    virtual void Receive() {}

private:
    std::mutex m_mutex;
    std::deque<ShownFrame> m_frames;  // taken and not yet looked at
    ShownFrame m_last;
};

// Clicks (in view points) the ball with the longest way and the end of the way, and reads every picture of the view
// until the ball arrives: `between` holds the cells on the way where it was seen, `longestGap` the longest time
// between two of its positions first shown.
struct WalkSeen {
    int from = -1;
    int to = -1;
    int steps = 0;
    bool selected = false;  // the first click showed the selection
    std::set<int> between;
    qint64 longestGap = 0;  // milliseconds
    BoardReading end;
};
WalkSeen WalkTheLongestWay(const BoardReader& reader, const FrameSource& view, const std::function<void(QPoint)>& click,
                           const BoardReading& start, const char* where);
// Starts the game (or a copy of it) with kTestSeed, errors forwarded; the leak checker is told of the X platform's
// D-Bus buffer.
void StartGame(QProcess& game, QProcessEnvironment environment, const QString& program = VELMOR_PROGRAM);

class WindowFrames;
// The game as a process on the X server, its window driven by real input (xdotool) and read back after each change.
class GameOnX {
public:
    // Started in `environment` with DISPLAY added; the view is read at its QT_SCALE_FACTOR.
    explicit GameOnX(QProcessEnvironment environment = EnvironmentWithoutDisplay(),
                     const QString& program = VELMOR_PROGRAM);
    ~GameOnX();
    // Waits for the window to show, and reads its place and size: empty, or what went wrong.
    std::string FindWindow();
    QString Id() const { return QString::number(m_window); }
    const QRect& Geometry() const { return m_geometry; }
    QProcess& Process() { return m_game; }
    // The view's part of the window's pictures (ViewPartOf).
    ShownFrame NextView(int milliseconds) const;
    QImage ViewOnScreen() const;  // the newest
    // A real click at a view point.
    void Click(QPoint point) const;
    // Real key presses, to the window that has the keyboard.
    static void Type(const QStringList& keys);

private:
    double m_scale = 1;
    QProcess m_game;
    unsigned long m_window = 0;
    QRect m_geometry;
    std::unique_ptr<WindowFrames> m_frames;
};

// The game on the X server with the current folder's pictures, its window found; skipped without X or its tools.
class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    virtual QString ScaleFactor() const { return {}; }  // the game's QT_SCALE_FACTOR, or none
    // Reads the view on the screen until `difference` finds none in it, for two seconds at most; what it found last.
    std::string WaitForView(const std::function<std::string(const QImage&)>& difference);

    ScratchRunFolder m_folder;
    BoardReader m_reader;
    std::unique_ptr<GameOnX> m_game;
    QImage m_view;  // as WaitForView saw it last
};

// Ends a child process, politely first.
void StopProcess(QProcess& process);
// Why the real-window tests cannot run here, or empty when they can.
std::string MissingXTools();
