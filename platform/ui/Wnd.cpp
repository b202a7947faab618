#include "platform/ui/Wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

#include "platform/ui/QtText.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WinHandles.h"
#include "platform/ui/WndImpl.h"

using ui_detail::WndImpl;

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

// A message posted to a window: delivered when the event loop runs, unless
// the window is gone by then.
class PostedMessage : public QEvent {
public:
    PostedMessage(CWnd* target, UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(Type()), m_pTarget(target), m_alive(target->Impl()->life), m_message(message), m_wParam(wParam),
          m_lParam(lParam) {}
    static QEvent::Type Type() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    void Deliver() const {
        if (!m_alive.expired()) m_pTarget->SendMessage(m_message, m_wParam, m_lParam);
    }

private:
    CWnd* m_pTarget;
    std::weak_ptr<char> m_alive;
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};

class PostedMessageReceiver : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() != PostedMessage::Type()) return QObject::event(event);
        static_cast<PostedMessage*>(event)->Deliver();
        return true;
    }
};

}  // namespace

CWnd::CWnd() : m_pImpl(std::make_unique<WndImpl>(this)) {}

CWnd::~CWnd() {
    if (m_hWnd != nullptr) DestroyWindow();
    for (CWnd* child : m_pImpl->children) {
        if (child->m_pImpl) child->m_pImpl->parent = nullptr;
    }
}

// --- creation and destruction -------------------------------------------------

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const CRect& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const CRect& rect,
                    CWnd* pParentWnd, UINT nID, void* lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.Width(), rect.Height(),
                    pParentWnd == nullptr ? nullptr : pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, void* lpParam) {
    if (m_hWnd != nullptr || QCoreApplication::instance() == nullptr) return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_pImpl->Build(cs);
    m_hWnd = reinterpret_cast<HWND>(this);
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if ((cs.style & WS_VISIBLE) != 0 && m_pImpl->Exists()) {
        m_pImpl->outer->show();
        if (m_pImpl->outer->isWindow()) m_pImpl->outer->activateWindow();
    }
    return m_hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = ui_detail::kDefaultWndClass;
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    SendMessage(WM_DESTROY);
    const std::vector<CWnd*> children = m_pImpl->children;
    for (CWnd* child : children) child->DestroyWindow();
    m_pImpl->TearDown();
    m_hWnd = nullptr;
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        AfxPostQuitMessage(0);
    }
    PostNcDestroy();  // may delete this
    return TRUE;
}

void CWnd::PostNcDestroy() {}

// --- messages -------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_hWnd == nullptr) return 0;
    // A handler may destroy the window and, for a frame, the object itself.
    const std::weak_ptr<char> alive = m_pImpl->life;
    m_pImpl->messages.push_back({message, wParam, lParam});
    const LRESULT result = WindowProc(message, wParam, lParam);
    if (!alive.expired() && !m_pImpl->messages.empty()) m_pImpl->messages.pop_back();
    return result;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    static PostedMessageReceiver receiver;
    if (m_hWnd == nullptr) return FALSE;
    QCoreApplication::postEvent(&receiver, new PostedMessage(this, message, wParam, lParam));
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        if (pResult != nullptr) *pResult = 1;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0);
    if (entry == nullptr) return FALSE;
    const LRESULT result = entry->pfnCall(this, wParam, lParam);
    if (pResult != nullptr) *pResult = result;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SETTEXT:
        if (m_pImpl->Exists() && m_pImpl->outer->isWindow())
            m_pImpl->outer->setWindowTitle(ui_detail::FromWindows1251(reinterpret_cast<LPCSTR>(lParam)));
        return TRUE;
    default:
        return 0;
    }
}

LRESULT CWnd::Default() {
    if (m_pImpl->messages.empty()) return 0;
    const auto current = m_pImpl->messages.back();
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
    return OnCmdMsg(LOWORD(wParam), static_cast<int>(CN_COMMAND), nullptr, nullptr);
}

// --- geometry -------------------------------------------------------------------

void CWnd::GetClientRect(CRect* pRect) const {
    if (pRect == nullptr) return;
    *pRect = CRect();
    if (!m_pImpl->Exists()) return;
    const QSize size = m_pImpl->client->size();
    *pRect = CRect(0, 0, size.width(), size.height());
}

void CWnd::GetWindowRect(CRect* pRect) const {
    if (pRect == nullptr) return;
    *pRect = CRect();
    if (!m_pImpl->Exists()) return;
    const QWidget* outer = m_pImpl->outer;
    QRect rect = outer->isWindow() ? outer->frameGeometry() : QRect(outer->mapToGlobal(QPoint(0, 0)), outer->size());
    *pRect = CRect(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags) {
    if (!m_pImpl->Exists()) return FALSE;
    m_pImpl->SetGeometry(x, y, cx, cy, nFlags);
    if ((nFlags & SWP_SHOWWINDOW) != 0) ShowWindow(SW_SHOW);
    if ((nFlags & SWP_HIDEWINDOW) != 0) ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    SetWindowPos(nullptr, x, y, nWidth, nHeight, SWP_NOZORDER | (bRepaint ? 0 : SWP_NOREDRAW));
}

void CWnd::ClientToScreen(CPoint* pPoint) const {
    if (pPoint == nullptr || !m_pImpl->Exists()) return;
    const QPoint global = m_pImpl->client->mapToGlobal(QPoint(pPoint->x, pPoint->y));
    *pPoint = CPoint(global.x(), global.y());
}

// --- showing and painting -----------------------------------------------------------

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (!m_pImpl->Exists()) return FALSE;
    QWidget* outer = m_pImpl->outer;
    const BOOL wasVisible = outer->isVisible() ? TRUE : FALSE;
    if (nCmdShow == SW_HIDE) {
        outer->hide();
        return wasVisible;
    }
    if (nCmdShow == SW_SHOWMINIMIZED || nCmdShow == SW_MINIMIZE) {
        outer->showMinimized();
    } else {
        outer->show();
    }
    if (outer->isWindow() && nCmdShow != SW_SHOWNOACTIVATE) {
        // Without a window manager nothing activates a new window.
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) outer->raise();
        outer->activateWindow();
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const { return m_pImpl->Exists() && m_pImpl->outer->isVisible() ? TRUE : FALSE; }

void CWnd::UpdateWindow() { m_pImpl->UpdateNow(); }

void CWnd::Invalidate(BOOL bErase) { InvalidateRect(nullptr, bErase); }

void CWnd::InvalidateRect(const CRect* pRect, BOOL) {
    if (!m_pImpl->Exists()) return;
    if (pRect == nullptr) {
        m_pImpl->Invalidate(QRegion(m_pImpl->client->rect()));
    } else {
        m_pImpl->Invalidate(QRegion(pRect->left, pRect->top, pRect->Width(), pRect->Height()));
    }
}

void CWnd::ValidateRect(const CRect* pRect) {
    if (!m_pImpl->Exists()) return;
    if (pRect == nullptr) {
        m_pImpl->Validate(QRegion(m_pImpl->client->rect()));
    } else {
        m_pImpl->Validate(QRegion(pRect->left, pRect->top, pRect->Width(), pRect->Height()));
    }
}

BOOL CWnd::GetUpdateRect(CRect* pRect, BOOL) const {
    const QRect bounds = m_pImpl->invalid.boundingRect();
    if (pRect != nullptr) *pRect = CRect(bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height());
    return m_pImpl->invalid.isEmpty() ? FALSE : TRUE;
}

// --- focus, text, relations -----------------------------------------------------------

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (!m_pImpl->Exists()) return previous;
    QWidget* target = m_pImpl->kind == ui_detail::WindowKind::frame ? m_pImpl->outer.data() : m_pImpl->client.data();
    target->setFocus(Qt::OtherFocusReason);
    return previous;
}

CWnd* CWnd::GetFocus() { return ui_detail::FocusedWnd(); }

void CWnd::SetWindowText(LPCSTR lpszString) {
    if (!m_pImpl->Exists()) return;
    const QString text = ui_detail::FromWindows1251(lpszString == nullptr ? "" : lpszString);
    QWidget* widget = m_pImpl->outer;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else {
        SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString == nullptr ? "" : lpszString));
    }
}

std::string CWnd::GetWindowText() const {
    if (!m_pImpl->Exists()) return {};
    QWidget* widget = m_pImpl->outer;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return ui_detail::ToWindows1251(edit->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return ui_detail::ToWindows1251(button->text());
    if (auto* label = qobject_cast<QLabel*>(widget)) return ui_detail::ToWindows1251(label->text());
    return ui_detail::ToWindows1251(widget->windowTitle());
}

CWnd* CWnd::GetParent() const { return m_pImpl->parent; }

CWnd* CWnd::GetDlgItem(int nID) const {
    for (CWnd* child : m_pImpl->children) {
        if (child->GetDlgCtrlID() == static_cast<UINT>(nID)) return child;
    }
    return m_pImpl->ControlWnd(static_cast<UINT>(nID));
}

UINT CWnd::GetDlgCtrlID() const { return m_pImpl->id; }
DWORD CWnd::GetStyle() const { return m_pImpl->style; }
DWORD CWnd::GetExStyle() const { return m_pImpl->exStyle; }
UINT CWnd::GetClassStyle() const { return m_pImpl->wndClass.style; }

HICON CWnd::SetIcon(HICON hIcon, BOOL) {
    if (m_pImpl->Exists() && m_pImpl->outer->isWindow()) m_pImpl->outer->setWindowIcon(ui_detail::IconFromHandle(hIcon));
    return nullptr;
}

BOOL CWnd::IsWindowEnabled() const { return m_pImpl->Exists() && m_pImpl->outer->isEnabled() ? TRUE : FALSE; }

BOOL CWnd::EnableWindow(BOOL bEnable) {
    if (!m_pImpl->Exists()) return FALSE;
    const BOOL wasDisabled = m_pImpl->outer->isEnabled() ? FALSE : TRUE;
    m_pImpl->outer->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

QWidget* CWnd::GetClientWidget() const { return m_pImpl->client; }
QWidget* CWnd::GetOuterWidget() const { return m_pImpl->outer; }

// --- default handlers ---------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
