#include "platform/ui/Wnd.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/core/DeviceContext.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

// The virtual-key code of a key that has one here, else 0.
WORD VirtualKeyOf(int qtKey) {
    static constexpr std::pair<int, WORD> kKeys[] = {
        {Qt::Key_Left, VK_LEFT},   {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Up, VK_UP},        {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Space, VK_SPACE}, {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Escape, VK_ESCAPE},
    };
    for (const auto& [key, virtualKey] : kKeys) {
        if (key == qtKey) return virtualKey;
    }
    return 0;
}

}  // namespace

// The client area on the screen: shows the window's surface and turns the
// mouse into messages.  Once its window is destroyed it goes quiet until Qt
// deletes it.
class ClientWidget : public QWidget {
public:
    explicit ClientWidget(CWnd* wnd) : m_pWnd(wnd) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void Detach() { m_pWnd = nullptr; }

    // The event that delivers a pending WM_PAINT: posted with low priority,
    // so that it comes after the input already waiting, as WM_PAINT does.
    static QEvent::Type PaintMessage() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

protected:
    bool event(QEvent* event) override {
        // Moved to a screen of another density: a new surface, all to paint.
        if (event->type() == QEvent::ScreenChangeInternal && m_pWnd != nullptr) m_pWnd->ResizeSurface();
        if (event->type() != PaintMessage()) return QWidget::event(event);
        if (m_pWnd != nullptr) m_pWnd->DeliverPaint();
        return true;
    }
    // The surface has the screen's own density: its pixels are the screen's.
    void paintEvent(QPaintEvent* event) override {
        if (m_pWnd == nullptr) return;
        QPainter painter(this);
        painter.setClipRegion(event->region());
        painter.drawImage(QPointF(0, 0), m_pWnd->m_surface);
    }
    void mousePressEvent(QMouseEvent* event) override { Mouse(event, WM_LBUTTONDOWN); }
    void mouseReleaseEvent(QMouseEvent* event) override { Mouse(event, WM_LBUTTONUP); }
    void mouseMoveEvent(QMouseEvent* event) override { Mouse(event, WM_MOUSEMOVE); }
    // The second press of a double click: a class asking for double clicks
    // gets WM_LBUTTONDBLCLK, any other a second WM_LBUTTONDOWN.
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const bool wantsDouble = m_pWnd != nullptr && (m_pWnd->m_class.style & CS_DBLCLKS) != 0;
        Mouse(event, wantsDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
    }
    // A key becomes WM_KEYDOWN, one press each, for a window whose map
    // takes it.  Other keys go on to the widgets around, as a dialog's
    // Escape must.
    void keyPressEvent(QKeyEvent* event) override {
        const WORD virtualKey = VirtualKeyOf(event->key());
        if (m_pWnd == nullptr || virtualKey == 0 || m_pWnd->FindMessageEntry(WM_KEYDOWN, 0) == nullptr) {
            QWidget::keyPressEvent(event);
            return;
        }
        m_pWnd->SendMessage(WM_KEYDOWN, virtualKey, MAKELPARAM(1, 0));
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (m_pWnd != nullptr) m_pWnd->ResizeSurface();
    }
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        window()->installEventFilter(this);
        if (m_pWnd != nullptr && !m_pWnd->m_invalid.isEmpty()) m_pWnd->PostPaint();
    }
    // A paint of the window itself asks for this area again: Qt repaints a Wayland
    // window given new decorations, and so an empty buffer, without opaque children.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched != this) update();
        return false;
    }

private:
    // The left button's messages; the others have no handler anywhere.
    void Mouse(QMouseEvent* event, UINT message) {
        if (m_pWnd == nullptr || (message != WM_MOUSEMOVE && event->button() != Qt::LeftButton)) return;
        const QPoint point = event->position().toPoint();
        m_pWnd->SendMessage(message, (event->buttons() & Qt::LeftButton) != 0 ? MK_LBUTTON : 0,
                            MAKELPARAM(point.x(), point.y()));
    }

    CWnd* m_pWnd;
};

CWnd::~CWnd() {
    if (m_pClient != nullptr) DestroyWindow();
    for (CWnd* child : m_children) child->m_pParent = nullptr;
}

// --- creation and destruction -------------------------------------------------

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const CRect& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext) {
    if (pParentWnd == nullptr || pParentWnd->m_pClient == nullptr) return FALSE;
    CREATESTRUCT cs{pContext, nID,       pParentWnd,         rect.Height(),  rect.Width(),
                    rect.top, rect.left, dwStyle | WS_CHILD, lpszWindowName, lpszClassName};
    return CreateWindowFrom(cs);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::CreateWindowFrom(CREATESTRUCT& cs) {
    if (m_pClient != nullptr || QCoreApplication::instance() == nullptr) return FALSE;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_class = ui_detail::FindWindowClass(cs.lpszClass, m_bDialog);
    m_pParent = (cs.style & WS_CHILD) != 0 ? cs.pParent : nullptr;
    m_nID = cs.nID;
    auto* client = new ClientWidget(this);
    m_pClient = client;
    m_pOuter = MakeOuter(cs, client);
    if (m_pParent != nullptr) m_pParent->m_children.push_back(this);
    client->setCursor(m_class.cursor);
    if (m_pOuter->isWindow()) {
        m_pOuter->setWindowTitle(ui_detail::FromWindows1251(cs.lpszName == nullptr ? "" : cs.lpszName));
        if (m_class.icon != nullptr) m_pOuter->setWindowIcon(ui_detail::IconOf(m_class.icon));
    }
    RecalcLayout();
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if ((cs.style & WS_VISIBLE) != 0 && m_pOuter != nullptr) ShowWindow(SW_SHOW);
    return m_pClient != nullptr;
}

QWidget* CWnd::MakeOuter(const CREATESTRUCT& cs, QWidget* client) {
    QWidget* outer = client;
    client->setParent(m_pParent->m_pClient);
    if ((cs.dwExStyle & WS_EX_CLIENTEDGE) != 0) {
        // The sunken edge, 2 pixels on each side, around the client area.
        auto* edge = new QFrame(m_pParent->m_pClient);
        edge->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        client->setParent(edge);
        outer = edge;
    }
    outer->setGeometry(cs.x, cs.y, std::max(cs.cx, 0), std::max(cs.cy, 0));
    return outer;
}

BOOL CWnd::DestroyWindow() {
    if (m_pClient == nullptr) return FALSE;
    // A copy, since each child's DestroyWindow takes it out of m_children.
    const std::vector<CWnd*> children = m_children;
    for (CWnd* child : children) child->DestroyWindow();
    if (m_pParent != nullptr) std::erase(m_pParent->m_children, this);
    m_pParent = nullptr;
    // The widgets may be inside one of their own event handlers (a close
    // box, a menu command): they are silenced now and deleted later.
    static_cast<ClientWidget*>(m_pClient.data())->Detach();
    if (m_pOuter != nullptr) {
        m_pOuter->hide();
        m_pOuter->deleteLater();
    }
    m_pOuter = nullptr;
    m_pClient = nullptr;
    m_surface = QImage();
    m_surfaceSize = QSize(0, 0);
    m_invalid = QRegion();
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        AfxPostQuitMessage(0);
    }
    PostNcDestroy();  // may delete this
    return TRUE;
}

// --- messages -------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pClient == nullptr) return 0;
    if (message == WM_COMMAND) return OnCommand(wParam, lParam);
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0);
    return entry == nullptr ? Default() : entry->pfnCall(this, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) { return OnCmdMsg(LOWORD(wParam), 0, nullptr, nullptr); }

// --- geometry and showing ----------------------------------------------------------

void CWnd::GetClientRect(CRect* pRect) const {
    *pRect = m_pClient == nullptr ? CRect() : CRect(0, 0, m_pClient->width(), m_pClient->height());
}

void CWnd::GetWindowRect(CRect* pRect) const {
    const QRect rect = m_pOuter == nullptr ? QRect() : m_pOuter->frameGeometry();
    *pRect = CRect(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT) {
    if (m_pOuter == nullptr) return FALSE;
    if (m_pOuter->isWindow()) {
        // The window system's frame lies outside the widget; it is known
        // only once the window is shown.  The user cannot change the size.
        const QSize decoration = m_pOuter->frameGeometry().size() - m_pOuter->size();
        m_pOuter->setFixedSize(std::max(0, cx - decoration.width()), std::max(0, cy - decoration.height()));
        m_pOuter->move(x, y);
    } else {
        m_pOuter->setGeometry(x, y, std::max(cx, 0), std::max(cy, 0));
    }
    RecalcLayout();
    return TRUE;
}

void CWnd::RecalcLayout() {
    if (m_pClient == nullptr) return;
    if (m_pOuter != m_pClient) m_pClient->setGeometry(m_pOuter->contentsRect());
    ResizeSurface();
}

BOOL CWnd::ShowWindow(int) {
    if (m_pOuter == nullptr) return FALSE;
    m_pOuter->show();
    if (m_pOuter->isWindow()) {
        // Without a window manager nothing activates a new window.
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) m_pOuter->raise();
        m_pOuter->activateWindow();
    }
    return TRUE;
}

void CWnd::SetFocus() {
    if (m_pOuter == nullptr) return;
    // A child's outer widget may be the edge drawn around it; the focus goes
    // to its client area.
    if (m_pOuter->isWindow()) {
        m_pOuter->setFocus(Qt::OtherFocusReason);
    } else {
        m_pClient->setFocus(Qt::OtherFocusReason);
    }
}

// --- painting -----------------------------------------------------------------------

void CWnd::ResizeSurface() {
    const QSize size = m_pClient->size();
    const qreal density = m_pClient->devicePixelRatioF();
    // Pictures read from now on are read for this screen.
    SetPictureDensity(static_cast<int>(std::ceil(density)));
    const bool sameDensity = m_surface.devicePixelRatio() == density;
    if (m_surfaceSize == size && (sameDensity || size.isEmpty())) return;
    const QSize old = m_surfaceSize;
    // One pixel of the surface is one pixel of the screen.
    QImage resized(QSize(static_cast<int>(std::ceil(size.width() * density)),
                         static_cast<int>(std::ceil(size.height() * density))),
                   QImage::Format_RGB32);
    resized.setDevicePixelRatio(density);
    resized.fill(m_class.background.value_or(ui_detail::ColourOf(GetSysColor(COLOR_WINDOW))));
    QPainter(&resized).drawImage(0, 0, m_surface);
    m_surface = resized;
    m_surfaceSize = size;
    // A window that grows from nothing (a child created with an empty
    // rectangle and laid out later), or whose density changed, is all new:
    // all of it needs a paint.
    QRegion fresh(0, 0, size.width(), size.height());
    if (!old.isEmpty() && sameDensity && (m_class.style & (CS_HREDRAW | CS_VREDRAW)) == 0)
        fresh -= QRegion(0, 0, old.width(), old.height());
    m_invalid += fresh;
    if (!m_invalid.isEmpty()) PostPaint();
}

void CWnd::Invalidate(BOOL) {
    if (m_pClient == nullptr) return;
    m_invalid += m_pClient->rect();
    PostPaint();
}

void CWnd::PostPaint() {
    if (m_bPaintPosted || m_pClient == nullptr) return;
    m_bPaintPosted = true;
    QCoreApplication::postEvent(m_pClient, new QEvent(ClientWidget::PaintMessage()), Qt::LowEventPriority);
}

void CWnd::DeliverPaint() {
    m_bPaintPosted = false;
    if (m_pClient == nullptr || m_invalid.isEmpty() || !m_pClient->isVisible() || m_bInPaint) return;
    m_paintRegion = m_invalid;
    m_invalid = QRegion();
    if (m_class.background) {
        QPainter painter(&m_surface);
        for (const QRect& rect : m_paintRegion) painter.fillRect(rect, *m_class.background);
    }
    m_bInPaint = true;
    m_deferredPresent = m_paintRegion.boundingRect();
    SendMessage(WM_PAINT);
    if (m_pClient == nullptr) return;  // destroyed while painting
    m_bInPaint = false;
    m_paintRegion = QRegion();
    const QRect painted = m_deferredPresent;
    m_deferredPresent = QRect();
    Present(painted);
}

void CWnd::UpdateWindow() {
    if (m_pClient == nullptr) return;
    if (!m_invalid.isEmpty()) DeliverPaint();
    // A copy, since a paint handler may create or destroy a child window,
    // which changes m_children.
    const std::vector<CWnd*> children = m_children;
    for (CWnd* child : children) child->UpdateWindow();
}

void CWnd::Present(const QRect& rect) {
    if (m_pClient == nullptr || rect.isEmpty()) return;
    if (m_bInPaint) {
        m_deferredPresent |= rect;  // shown when the paint is done
        return;
    }
    if (!m_pClient->isVisible()) return;
    m_pClient->repaint(rect.intersected(m_pClient->rect()));
    ui_detail::FlushDisplay();
}
