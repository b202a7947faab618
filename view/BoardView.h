// The game's window: a plain child window that shows the band (the preview
// of the next balls, the score, the captions) above the board, and hands
// left clicks and the three game commands to the engine it derives from.
// Everything of a game belongs to the engine part; the window keeps only
// its keyboard cursor, and every drawing pass reads its pictures afresh.
//
// Keys play as the mouse does: the arrows move a cell cursor, Space and
// Enter click the centre of its cell, Escape clicks the selected ball.  The
// cursor is drawn over the game's picture, never into the board picture;
// hidden, it leaves every pixel as mouse play shows it.
#pragma once

#include <string>

#include "game/BoardGame.h"
#include "platform/ui/Wnd.h"

class CClientDC;

class CBoardView : public CWnd, public CBoardGame {
public:
    // Command ids of the game menu.
    static constexpr UINT kCommandNewGame = 32775;
    static constexpr UINT kCommandScores = 32771;
    static constexpr UINT kCommandRemakeMove = 32772;

    // Where the band's pieces go, in view pixels.
    static constexpr int kPreviewLeft = 120;
    static constexpr int kPreviewPitch = 40;
    static constexpr int kPreviewTop = 5;
    static constexpr int kScoreLabelX = 280;
    static constexpr int kScoreLabelY = 10;
    static constexpr int kCaptionX = 10;
    static constexpr int kCaptionY = 15;
    static constexpr int kScoreX = 280;
    static constexpr int kScoreY = 30;

    // The keyboard cursor: where it is first shown, and its frame, one-pixel
    // rings inside the cell from its edge inwards: light ones that stand out
    // on the dark board and a dark one that stands out on anything light.
    static constexpr int kFirstCursorCell = 40;
    static constexpr COLORREF kCursorRings[] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0)};

    CBoardView();
    ~CBoardView() override;

    // --- what the engine asks of the window ---
    // Draws the band and the board straight onto the window, at once.
    void DrawAll() override;
    // Blocks the thread; nothing is handled meanwhile.
    void Pause(int milliseconds) override;
    std::string AskRecordName() override;
    void ShowRecords() override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNewGame();
    afx_msg void OnScores();
    afx_msg void OnRemakeMove();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    DECLARE_MESSAGE_MAP()

private:
    // False when a preview picture could not be read: the pass ends there.
    bool DrawPreviews(CClientDC& dc) const;
    void DrawTexts(CClientDC& dc) const;

    // Shows the cursor where it was (on the selected ball, if there is
    // one) or moves it one cell; it stops at the board's edges.
    void MoveCursor(int columnStep, int rowStep);
    void HideCursor();
    void DrawCursor(CClientDC& dc) const;
    // Puts the cursor's cell back as the last drawing pass left it.
    void EraseCursor(CClientDC& dc) const;
    // The turn code, as a left click at the centre of the cell.
    void ClickCell(int cell);

    int m_nCursorCell = kFirstCursorCell;
    bool m_bCursorShown = false;
};
