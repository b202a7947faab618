// The board view in a test: a view that counts its redraws and pauses and
// lets a test set up the game, hosted in a plain frame whose client area is
// 364 x 414, and an oracle for what the board should look like.
#pragma once

#include <QImage>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/FrameWnd.h"
#include "view/BoardView.h"
#include "view/tests/ViewTestSupport.h"

// The board picture for these colours per cell (0 empty), drawn from the
// picture files of the current folder, with the ball on `selectedCell` (or
// none, -1) in its selected look.  Null when a picture is missing.
QImage ExpectedBoardPicture(const std::array<int, CBoardGame::kCells>& colours, int selectedCell);
// One ball's look in a cell (frame 0 plain, 1 selected), transparent where
// the board shows through.
QImage BallLook(int colour, int frame);

class CTestView : public CBoardView {
public:
    void DrawAll() override;
    void Pause(int milliseconds) override;

    int Draws() const { return m_nDraws; }
    void ResetCounts() {
        m_nDraws = 0;
        m_pauses.clear();
    }
    const std::vector<int>& Pauses() const { return m_pauses; }

    // Called after every redraw, with the redraw done.
    std::function<void()> m_onDraw;
    // Pauses really sleep only when asked; the tests count them.
    bool m_bSleep = false;

    void SetScore(int score) { m_nScore = score; }
    void SetGameOver(bool over) { m_bGameOver = over; }
    void SetNext(int first, int second, int third);
    // Replaces the board: colour per cell, 0 for empty; every ball gets its sprite.
    void SetBoard(const std::array<int, kCells>& colours);
    const CPhasedSprite* SelectedSprite() const { return m_pSelSprite; }

private:
    int m_nDraws = 0;
    std::vector<int> m_pauses;
};

class ViewTest : public ::testing::Test {
protected:
    static constexpr std::int64_t kSeed = 1172912700;

    void SetUp() override;
    void TearDown() override;
    // Whether the run folder gets the pictures.
    virtual ScratchRunFolder::Pictures FolderPictures() const { return ScratchRunFolder::Pictures::artwork; }

    CTestView& View() { return *m_pView; }
    QImage Screen() const { return GrabClient(*m_pView); }
    // Sends a command to the view as the menu would.
    void Command(UINT id);
    // Erases and repaints the view, as the window system does.
    void Repaint();

    // The board as it should look now, drawn from the game's state and the
    // picture files.
    QImage ExpectedBoard() const;
    static QImage ExpectedBoardFor(const std::array<int, CBoardGame::kCells>& colours, int selectedCell) {
        return ExpectedBoardPicture(colours, selectedCell);
    }
    std::array<int, CBoardGame::kCells> BoardColours() const;
    // The view point at the centre of a cell.
    static QRect BoardArea() { return QRect(0, CBoardGame::kBoardTop, 360, 360); }
    static QRect CellArea(int cell);
    // The first cell holding a ball, -1 on an empty board.
    int FirstBallCell() const;
    // Steps of the shortest path through empty cells, -1 when there is none.
    int PathLength(int from, int to) const;
    // The reachable empty cell farthest from `from`.
    int FarthestReachableCell(int from) const;

    std::unique_ptr<ScratchRunFolder> m_pFolder;
    std::unique_ptr<CTestView> m_pView;
    CFrameWnd* m_pHost = nullptr;  // deletes itself with its window
};

// Texts drawn the way the band draws them, on a window of the band's size
// with the window colour: what the band's text boxes must show.
struct BandText {
    int x;
    int y;
    std::string bytes;
    COLORREF colour;
};
struct BandReference {
    QImage image;
    std::vector<QRect> boxes;  // what each text covered
};
BandReference DrawBandReference(const std::vector<BandText>& texts);

// The band's texts, as Windows-1251 bytes.
inline const std::string kNextCaption = "\xF1\xEB\xE5\xE4\xF3\xFE\xF9\xE8\xE5:     ";
inline const std::string kGameOverCaption = "\xE8\xE3\xF0\xE0 \xEE\xEA\xEE\xED\xF7\xE5\xED\xE0";
inline const std::string kScoreLabel = "\xF1\xF7\xE5\xF2:";
inline const std::string kEightBlanks = "        ";
