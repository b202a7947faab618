// The application in a test: started the way the program starts it, with a
// fixed first seed, in a scratch run folder; and running the program itself.
#pragma once

#include <QImage>
#include <QProcessEnvironment>
#include <QStringList>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/GameApp.h"
#include "app/MainFrame.h"
#include "view/tests/ViewTestSupport.h"

inline constexpr std::uint32_t kTestSeed = 20240601;

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame& Frame() const { return *m_pApp->GetMainFrame(); }
    CBoardView& View() const { return Frame().GetView(); }
    bool FrameAlive() const { return m_pApp->m_pMainWnd != nullptr; }

    std::unique_ptr<ScratchRunFolder> m_pFolder;
    std::unique_ptr<CGameApp> m_pApp;
};

// What a run of the program gave.
struct ProgramRun {
    int exitCode = -1;
    std::string output;
    std::string errors;
};
// Runs the game program with these arguments and environment, in `folder`.
ProgramRun RunProgram(const QStringList& arguments, const QProcessEnvironment& environment,
                      const std::string& folder = ".", int timeoutMilliseconds = 20000);
// The environment of these tests without any display.
QProcessEnvironment EnvironmentWithoutDisplay();

// The view's part of a picture of the whole main window: 360 x 410 at the
// window's bottom left, inside the view's 2-pixel edge.
QImage ViewPartOf(const QImage& window);

// Where the band's texts are drawn; fonts may differ there between machines.
const std::vector<QRect>& TextBoxes();
// Compares a start picture of the view with the stored one for kTestSeed:
// exact outside the text boxes, some ink inside each.  Empty when they agree.
std::string CompareWithGolden(const QImage& view);
std::string GoldenPath();

// --- the board read from pictures of the real window ---------------------------

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
    bool Load();
    BoardReading Read(const QImage& view) const;

private:
    bool Shows(const QImage& view, int cell, const QImage* look) const;

    QImage m_board;
    QImage m_looks[7][2];
};

// The reachable empty cell farthest from `from` and its distance.
std::pair<int, int> FarthestCell(const Board& colours, int from);

// What pictures of the view, taken one after another, showed of a walk from
// `from` to `to` on the board `start`: the cells on the way where the ball
// was seen, the longest time between two of its positions first showing
// (its cells on the way and the target), and the last reading, once the
// ball stood on the target and the new balls had come.
struct WalkSeen {
    std::set<int> between;
    qint64 longestGap = 0;  // milliseconds
    BoardReading end;
};
WalkSeen WatchWalk(const BoardReader& reader, const std::function<QImage()>& view, const BoardReading& start, int from,
                   int to);
