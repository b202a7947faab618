// The board view hosted as in the main window, and how board and band should look, drawn independently.
#pragma once

#include <QImage>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/FrameWnd.h"
#include "tests/support/gui/GuiTestSupport.h"
#include "game/tests/GameAccess.h"
#include "view/BoardView.h"

// A fresh current folder; with pictures, res1/ as the build's run folder.
class ScratchRunFolder : public CScratchFolder {
public:
    explicit ScratchRunFolder(bool pictures = true);
    bool Ready() const { return m_bReady; }

private:
    bool m_bReady = true;
};

QPoint CellCentre(int cell);
QRect CellArea(int cell);
inline const QRect kBoardArea(0, CBoardGame::kBoardTop, 360, 360);
inline const QPoint kOnTheBand(200, 20);  // a click there changes nothing but the keyboard cursor
QImage LoadPicture(const std::string& fileName);
// One ball's look (frame 0 plain, 1 selected) in the board's colours; at density 2 from the 2x pictures.
QImage BallLook(int colour, int frame, int density = 1);
// The board picture for these colours (0 empty); `selectedCell` may be -1.
QImage ExpectedBoard(const Board& colours, int selectedCell, int density = 1);
// The empty cell farthest from `from` through empty cells, and its distance.
std::pair<int, int> FarthestCell(const Board& colours, int from);
// The arrow keys that take the keyboard cursor from one cell to another.
std::vector<Qt::Key> ArrowKeys(int from, int to);

class CTestView : public CGameAccess<CBoardView> {
public:
    using CBoardView::Invalidate;
    using CBoardView::SendMessage;  // as the menu and the window system would
    // Seen as "D".
    void DrawAll() override {
        CBoardView::DrawAll();
        Record("D");
    }
    void SetGameOver(bool over) { m_bGameOver = over; }
};

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual bool WithPictures() const { return true; }

    CTestView& View() { return *m_pView; }
    QImage Screen() const { return GrabClient(*m_pView); }
    // The board as it should look now.
    QImage Expected() const { return ExpectedBoard(m_pView->Colours(), m_pView->IsSelected() ? m_pView->From() : -1); }
    int FirstBallCell() const;

    std::unique_ptr<ScratchRunFolder> m_pFolder;
    std::unique_ptr<CTestView> m_pView;
    CFrameWnd* m_pHost = nullptr;  // deletes itself with its window
};

// The band after drawing the score label (when `label`), the captions, and each score after eight blanks, as the
// view does; and the box of each text.  Drawn with Qt alone, so that it owes nothing to the window layer's fonts, text
// output or code page.
std::pair<QImage, std::vector<QRect>> DrawBandReference(const std::vector<QString>& captions,
                                                        const std::vector<QString>& scores, bool label = false);

inline const QString kNextCaption = QString::fromUtf8("следующие:     ");
inline const QString kGameOverCaption = QString::fromUtf8("игра окончена");
