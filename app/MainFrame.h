// The main window: a fixed-size frame with the caption " шарики", the game
// menu and the board view as its only client window.  Owns the view (and a
// status bar that is never created as a window).
#pragma once

#include "platform/ui/FrameWnd.h"
#include "view/BoardView.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)

public:
    // The size of the view's client area, and what its sunken edge takes.
    static constexpr int kViewWidth = 360;
    static constexpr int kViewHeight = 410;
    static constexpr int kViewEdge = 2;
    static constexpr int kLeft = 100;
    static constexpr int kTop = 100;

    CMainFrame();
    ~CMainFrame() override;
    // The view is offered every command first, so the menu reaches the game
    // wherever the focus is.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CBoardView& GetView() { return m_wndView; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

    DECLARE_MESSAGE_MAP()

    CStatusBar m_wndStatusBar;
    CBoardView m_wndView;
};
