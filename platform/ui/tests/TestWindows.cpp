#include "platform/ui/tests/TestWindows.h"

#include "platform/ui/PaintDC.h"
#include "platform/ui/ResourceRegistry.h"

namespace ui_test {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

namespace {
std::string At(const char* what, CPoint point) {
    return std::string(what) + " " + std::to_string(point.x) + "," + std::to_string(point.y);
}
}  // namespace

BEGIN_MESSAGE_MAP(TestView, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_CANCELMODE()
    ON_COMMAND(kCmdViewOnly, OnViewOnly)
    ON_COMMAND(kCmdViewAndFrame, OnViewAndFrame)
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL TestView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CWnd::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
    cs.lpszClass = AfxRegisterWndClass(m_classStyle, LoadCursorA(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    return TRUE;
}

void TestView::OnPaint() {
    CPaintDC dc(this);
    ++m_nPaints;
    dc.FillSolidRect(CRect(0, 50, 16, 66), RGB(0, 0, 0));
}

void TestView::OnLButtonDown(UINT, CPoint point) { Log().push_back(At("down", point)); }
void TestView::OnLButtonUp(UINT, CPoint point) { Log().push_back(At("up", point)); }
void TestView::OnLButtonDblClk(UINT, CPoint point) { Log().push_back(At("dblclk", point)); }
void TestView::OnCancelMode() {
    Log().push_back("cancelmode");
    Default();
}
void TestView::OnViewOnly() { Log().push_back("view: view only"); }
void TestView::OnViewAndFrame() { Log().push_back("view: view and frame"); }

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_COMMAND(kCmdViewAndFrame, OnViewAndFrame)
    ON_COMMAND(kCmdFrameOnly, OnFrameOnly)
END_MESSAGE_MAP()

BOOL TestFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.style = WS_BORDER | WS_SYSMENU;
    cs.lpszClass = AfxRegisterWndClass(0, LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
    cs.lpszName = kCaption;
    return TRUE;
}

int TestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    if (!m_wndView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
        return -1;
    CRect client;
    CRect window;
    GetClientRect(&client);
    GetWindowRect(&window);
    SetWindowPos(nullptr, 100, 100, window.Width() - client.Width() + 360 + 4,
                 window.Height() - client.Height() + 410 + 4, SWP_NOZORDER);
    return 0;
}

BOOL TestFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_wndView.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL TestFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    m_commands.push_back(wParam);
    return CFrameWnd::OnCommand(wParam, lParam);
}

void TestFrame::OnSetFocus(CWnd*) { m_wndView.SetFocus(); }
void TestFrame::OnViewAndFrame() { Log().push_back("frame: view and frame"); }
void TestFrame::OnFrameOnly() { Log().push_back("frame: frame only"); }

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(kCmdFrameOnly, OnFrameOnly)
END_MESSAGE_MAP()

void TestApp::OnAppAbout() { Log().push_back("app: about"); }
void TestApp::OnFrameOnly() { Log().push_back("app: frame only"); }

void RegisterTestResources() {
    RegisterMenuResource(128, MenuResource{{rc::Popup("&Game", {rc::MenuItem("&new game", kCmdViewOnly),
                                                                 rc::MenuItem("&remake move", kCmdFrameOnly),
                                                                 rc::MenuItem("&scores", kCmdViewAndFrame),
                                                                 rc::MenuItem("&quit", ID_APP_EXIT)}),
                                               rc::Popup("&Help", {rc::MenuItem("&About", ID_APP_ABOUT)})}});
    RegisterAcceleratorResource(128, {{FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
                                      {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
                                      {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
                                      {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
                                      {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
                                      {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
                                      {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
                                      {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
                                      {FVIRTKEY, VK_F1 + 5, ID_NEXT_PANE},
                                      {FVIRTKEY | FSHIFT, VK_F1 + 5, ID_PREV_PANE}});
    RegisterStringResource(128, "velmor");
    RegisterStringResource(AFX_IDS_APP_TITLE, "velmor");
}

}  // namespace ui_test
