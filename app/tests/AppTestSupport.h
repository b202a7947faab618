// The program run as a process with a fixed first seed, and the board read
// back from pictures of its window.
#pragma once

#include <QImage>
#include <QProcess>
#include <algorithm>
#include <functional>
#include <optional>
#include <set>

#include "platform/ui/WinApp.h"
#include "view/tests/ViewTestSupport.h"

inline constexpr std::uint32_t kTestSeed = 20240601;

// A tool's standard output, or nothing when it failed or took over 20 s.
std::optional<QByteArray> RunTool(const QString& program, const QStringList& arguments,
                                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
QProcessEnvironment EnvironmentWithoutDisplay();

// The view's 360 x 410 in a picture of the whole main window.
QImage ViewPartOf(const QImage& window);
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
// Starts the game with kTestSeed, errors forwarded; the leak checker is told of the X platform's D-Bus buffer.
void StartGame(QProcess& game, QProcessEnvironment environment);

// Ends a child process, politely first.
void StopProcess(QProcess& process);
// Why the real-window tests cannot run here, or empty when they can.
std::string MissingXTools();
