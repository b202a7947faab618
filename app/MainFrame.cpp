#include "app/MainFrame.h"

#include "app/Resources.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_wndView.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    // Exactly these bits: a caption with a close box, a thin border, no
    // sizing, and no document name appended to the title.
    cs.style = WS_BORDER | WS_SYSMENU;
    cs.lpszClass = AfxRegisterWndClass(0, LoadCursorA(nullptr, IDC_ARROW), nullptr,
                                       LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_GAMEICON)));
    cs.lpszName = kMainCaption;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    if (!m_wndView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                          AFX_IDW_PANE_FIRST, nullptr)) {
        return -1;
    }
    // Size the frame around a client area that leaves the view exactly
    // 360 x 410 inside its sunken edge.
    CRect client;
    CRect window;
    GetClientRect(&client);
    GetWindowRect(&window);
    SetWindowPos(nullptr, kLeft, kTop, window.Width() - client.Width() + kViewWidth + 2 * kViewEdge,
                 window.Height() - client.Height() + kViewHeight + 2 * kViewEdge, SWP_NOZORDER);
    return 0;
}

void CMainFrame::OnSetFocus(CWnd* /*pOldWnd*/) { m_wndView.SetFocus(); }
