#include "platform/ui/FrameWnd.h"

#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WinHandles.h"
#include "platform/ui/WndImpl.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() { Impl()->kind = ui_detail::WindowKind::frame; }

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext) {
    m_nIDResource = nIDResource;
    const std::string* title = FindStringResource(nIDResource);
    m_strTitle = title == nullptr ? std::string() : title->substr(0, title->find('\n'));
    if (!Create(nullptr, m_strTitle.c_str(), dwDefaultStyle, rectDefault, pParentWnd,
                MAKEINTRESOURCEA(static_cast<WORD>(nIDResource)), 0, pContext))
        return FALSE;  // the frame has deleted itself
    if (const std::vector<ACCEL>* table = FindAcceleratorResource(nIDResource)) Impl()->SetAccelerators(*table);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const CRect& rect, CWnd* pParentWnd,
                       LPCSTR lpszMenuName, DWORD dwExStyle, void* pContext) {
    // The menu is attached before WM_CREATE, so that the frame's sizes
    // count its bar from then on.
    m_nIDResource = lpszMenuName != nullptr && IS_INTRESOURCE(lpszMenuName)
                        ? static_cast<UINT>(reinterpret_cast<std::uintptr_t>(lpszMenuName))
                        : m_nIDResource;
    Impl()->menuResourceId = m_nIDResource;
    const bool defaultRect = rect.left == CW_USEDEFAULT;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle & ~WS_CHILD, rect.left, rect.top,
                    defaultRect ? CW_USEDEFAULT : rect.Width(), defaultRect ? CW_USEDEFAULT : rect.Height(),
                    pParentWnd == nullptr ? nullptr : pParentWnd->GetSafeHwnd(), nullptr, pContext);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW), SysColorBrushValue(COLOR_WINDOW),
                                           nullptr);
    }
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CWnd::OnCreate(lpCreateStruct); }

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::RecalcLayout(BOOL) {
    CRect client;
    GetClientRect(&client);
    if (CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)))
        pane->SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER);
}

void CFrameWnd::PostNcDestroy() { delete this; }

int CFrameWnd::GetMenuBarHeight() const {
    const ui_detail::WndImpl* impl = Impl();
    return impl->Exists() ? impl->MenuBarHeight(impl->outer->width()) : 0;
}

void CFrameWnd::OnSize(UINT, int, int) { RecalcLayout(); }

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) { CWnd::OnSetFocus(pOldWnd); }

void CFrameWnd::OnClose() {
    // The main window's close ends the program; the base destroys the window.
    CWnd::OnClose();
}
