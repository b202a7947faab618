#include "platform/ui/WndImpl.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>
#include <string_view>

#include "platform/ui/DisplayFlush.h"
#include "platform/ui/QtText.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinHandles.h"
#include "platform/ui/WndWidgets.h"

namespace ui_detail {

QEvent::Type PaintDeliveryEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

CWnd*& FocusedWnd() {
    static CWnd* focused = nullptr;
    return focused;
}

WndImpl::WndImpl(CWnd* ownerWnd) : owner(ownerWnd) {}

WndImpl::~WndImpl() = default;

// --- creation and destruction ----------------------------------------------

void WndImpl::Build(const CREATESTRUCT& cs) {
    style = cs.style;
    exStyle = cs.dwExStyle;
    // A dialog whose class nobody chose gets the dialog class and its colour.
    const bool defaultClass = cs.lpszClass == nullptr || std::string_view(cs.lpszClass) == kDefaultWndClass;
    wndClass = FindWindowClass(kind == WindowKind::dialog && defaultClass ? kDialogClass : cs.lpszClass);
    CWnd* parentWnd = CWnd::FromHandle(cs.hwndParent);
    WndImpl* parentImpl = Of(parentWnd);
    QWidget* parentWidget = nullptr;
    if (parentImpl != nullptr && parentImpl->Exists())
        parentWidget = (style & WS_CHILD) != 0 ? parentImpl->client.data() : parentImpl->outer->window();
    if ((style & WS_CHILD) != 0) {
        parent = parentWnd;
        id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(cs.hMenu));
    }
    switch (kind) {
    case WindowKind::frame: BuildFrame(cs); break;
    case WindowKind::dialog: BuildDialog(cs, parentWidget); break;
    default: BuildPlain(cs, parentWidget); break;
    }
    if (parent != nullptr) Of(parent)->children.push_back(owner);
    client->setCursor(wndClass.hCursor != nullptr ? wndClass.hCursor->shape : Qt::ArrowCursor);
    if (outer->isWindow()) {
        outer->setWindowTitle(FromWindows1251(cs.lpszName == nullptr ? "" : cs.lpszName));
        if (wndClass.hIcon != nullptr) outer->setWindowIcon(IconFromHandle(wndClass.hIcon));
    }
    ResizeSurface(client->size());
    reportedClientSize = client->size();
    invalid = QRegion(client->rect());
}

void WndImpl::BuildPlain(const CREATESTRUCT& cs, QWidget* parentWidget) {
    const bool child = (style & WS_CHILD) != 0 && parentWidget != nullptr;
    edge = (exStyle & WS_EX_CLIENTEDGE) != 0 ? 2 : ((style & WS_BORDER) != 0 && child ? 1 : 0);
    if (child && edge > 0) {
        auto* frame = new QFrame(parentWidget);
        frame->setFrameStyle(edge == 2 ? (QFrame::WinPanel | QFrame::Sunken) : (QFrame::Box | QFrame::Plain));
        frame->setLineWidth(edge == 2 ? 2 : 1);
        outer = frame;
        client = new ClientWidget(this, frame);
    } else {
        auto* widget = new ClientWidget(this, child ? parentWidget : nullptr);
        outer = widget;
        client = widget;
        if (!child) {
            ApplyTopLevelFlags(widget, false);
            widget->setFocusPolicy(Qt::StrongFocus);
        }
    }
    if (child) {
        SetGeometry(cs.x, cs.y, cs.cx, cs.cy, SWP_NOZORDER);
    } else if (cs.x != CW_USEDEFAULT && cs.cx != CW_USEDEFAULT) {
        SetGeometry(cs.x, cs.y, cs.cx, cs.cy, SWP_NOZORDER);
    }
}

void WndImpl::BuildFrame(const CREATESTRUCT& cs) {
    auto* frame = new FrameWidget(this, nullptr);
    ApplyTopLevelFlags(frame, false);
    frame->setFocusPolicy(Qt::StrongFocus);
    outer = frame;
    client = new ClientWidget(this, frame);
    const bool defaultSize = cs.cx == CW_USEDEFAULT || cs.cx <= 0 || cs.cy <= 0;
    frame->resize(defaultSize ? QSize(400, 300) : QSize(cs.cx, cs.cy));
    if (const MenuResource* menu = menuResourceId != 0 ? FindMenuResource(menuResourceId) : nullptr) SetMenu(*menu);
    LayoutFrame();
    if (cs.x != CW_USEDEFAULT) frame->move(cs.x, cs.y);
}

void WndImpl::ApplyTopLevelFlags(QWidget* widget, bool dialog) const {
    Qt::WindowFlags flags = (dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint;
    const bool popup = (style & WS_POPUP) != 0;
    if (!popup || (style & WS_CAPTION) == WS_CAPTION) flags |= Qt::WindowTitleHint;
    if (popup && (style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) == 0) flags |= Qt::FramelessWindowHint;
    if ((style & WS_SYSMENU) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((style & WS_MINIMIZEBOX) != 0 && !dialog) flags |= Qt::WindowMinimizeButtonHint;
    if ((style & WS_MAXIMIZEBOX) != 0 && !dialog) flags |= Qt::WindowMaximizeButtonHint;
    widget->setWindowFlags(flags);
}

void WndImpl::AttachControl(QWidget* control, UINT controlId) {
    kind = WindowKind::control;
    outer = control;
    client = control;
    id = controlId;
}

void WndImpl::TearDown() {
    if (kind == WindowKind::control) {
        outer = nullptr;
        client = nullptr;
        return;
    }
    controlWnds.clear();
    if (parent != nullptr && Of(parent) != nullptr) {
        auto& siblings = Of(parent)->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), owner), siblings.end());
    }
    parent = nullptr;
    if (FocusedWnd() == owner) FocusedWnd() = nullptr;
    if (menuBar) {
        for (QAction* action : menuBar->findChildren<QAction*>()) QObject::disconnect(action, nullptr, nullptr, nullptr);
    }
    if (outer) {
        for (QShortcut* shortcut : outer->findChildren<QShortcut*>()) QObject::disconnect(shortcut, nullptr, nullptr, nullptr);
    }
    // The widgets may be inside one of their own event handlers (a close
    // box, a menu command): they are silenced now and deleted later.
    if (auto* surfaceClient = dynamic_cast<ClientWidget*>(client.data())) surfaceClient->Detach();
    if (auto* frame = dynamic_cast<FrameWidget*>(outer.data())) frame->Detach();
    if (auto* dialog = dynamic_cast<DialogWidget*>(outer.data())) dialog->Detach();
    if (outer) {
        outer->hide();
        outer->deleteLater();
    }
    outer = nullptr;
    client = nullptr;
    menuBar = nullptr;
    controls.clear();
    surface = QImage();
    invalid = QRegion();
}

// --- geometry ---------------------------------------------------------------

void WndImpl::SetGeometry(int x, int y, int cx, int cy, UINT flags) {
    if (!Exists()) return;
    const QRect current = outer->isWindow() ? outer->frameGeometry() : outer->geometry();
    if ((flags & SWP_NOMOVE) != 0) {
        x = current.x();
        y = current.y();
    }
    if ((flags & SWP_NOSIZE) != 0) {
        cx = current.width();
        cy = current.height();
    }
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
    if (!outer->isWindow()) {
        outer->setGeometry(x, y, cx, cy);
        if (outer != client) client->setGeometry(edge, edge, std::max(0, cx - 2 * edge), std::max(0, cy - 2 * edge));
        ClientResized();
        return;
    }
    // The window system's frame lies outside the widget; it is known only
    // once the window is shown.
    const QSize decoration = outer->frameGeometry().size() - outer->geometry().size();
    const QSize inner(std::max(0, cx - decoration.width()), std::max(0, cy - decoration.height()));
    if ((style & WS_THICKFRAME) != 0) {
        outer->resize(inner);
    } else {
        outer->setFixedSize(inner);
    }
    outer->move(x, y);
    if (kind == WindowKind::frame) {
        LayoutFrame();
    } else {
        ClientResized();
    }
}

int WndImpl::MenuBarHeight(int width) const {
    if (!menuBar) return 0;
    const int forWidth = menuBar->heightForWidth(width);
    return forWidth > 0 ? forWidth : menuBar->sizeHint().height();
}

void WndImpl::LayoutFrame() {
    if (!Exists() || kind != WindowKind::frame) return;
    const int width = outer->width();
    const int menuHeight = MenuBarHeight(width);
    if (menuBar) menuBar->setGeometry(0, 0, width, menuHeight);
    client->setGeometry(0, menuHeight, width, std::max(0, outer->height() - menuHeight));
    ClientResized();
}

void WndImpl::ClientResized() {
    if (!Exists()) return;
    const QSize size = client->size();
    ResizeSurface(size);
    if (size == reportedClientSize) return;
    reportedClientSize = size;
    owner->SendMessage(WM_SIZE, 0, MAKELPARAM(size.width(), size.height()));
}

void WndImpl::ResizeSurface(const QSize& size) {
    if (surface.size() == size) return;
    const QSize old = surface.size();
    QImage resized(size, QImage::Format_RGB32);
    const auto background = BrushColour(wndClass.hbrBackground);
    resized.fill(background.value_or(ColourFromRef(GetSysColor(COLOR_WINDOW))));
    if (!surface.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, surface);
    }
    surface = resized;
    // A window that grows from nothing (a child created with an empty
    // rectangle and laid out later) is all new: all of it needs a paint.
    if (old.isEmpty() || (wndClass.style & (CS_HREDRAW | CS_VREDRAW)) != 0) {
        Invalidate(QRegion(0, 0, size.width(), size.height()));
    } else {
        Invalidate(QRegion(0, 0, size.width(), size.height()) - QRegion(0, 0, old.width(), old.height()));
    }
}

// --- painting -----------------------------------------------------------------

void WndImpl::Invalidate(const QRegion& region) {
    if (!Exists()) return;
    invalid += region.intersected(client->rect());
    if (!invalid.isEmpty()) PostPaint();
}

void WndImpl::Validate(const QRegion& region) { invalid -= region; }

void WndImpl::PostPaint() {
    if (paintPosted || !client) return;
    paintPosted = true;
    QCoreApplication::postEvent(client, new QEvent(PaintDeliveryEvent()), Qt::LowEventPriority);
}

void WndImpl::DeliverPaint() {
    paintPosted = false;
    if (!Exists() || invalid.isEmpty() || !client->isVisible() || inPaint) return;
    paintRegion = invalid;
    invalid = QRegion();
    if (const auto background = BrushColour(wndClass.hbrBackground)) {
        QPainter painter(&surface);
        for (const QRect& rect : paintRegion) painter.fillRect(rect, *background);
    }
    inPaint = true;
    deferredPresent = paintRegion.boundingRect();
    owner->SendMessage(WM_PAINT);
    if (!Exists()) return;  // destroyed while painting
    inPaint = false;
    paintRegion = QRegion();
    const QRect drawn = deferredPresent;
    deferredPresent = QRect();
    Present(drawn);
}

void WndImpl::UpdateNow() {
    if (!Exists()) return;
    if (!invalid.isEmpty()) DeliverPaint();
    const std::vector<CWnd*> current = children;
    for (CWnd* child : current) {
        if (WndImpl* childImpl = Of(child)) childImpl->UpdateNow();
    }
}

void WndImpl::Present(const QRect& rect) {
    if (!Exists() || rect.isEmpty()) return;
    if (inPaint) {
        deferredPresent |= rect;
        return;
    }
    if (!client->isVisible()) return;
    client->repaint(rect.intersected(client->rect()));
    FlushDisplay();
}

void WndImpl::Blit(QWidget* widget, const QRegion& region) const {
    QPainter painter(widget);
    for (const QRect& rect : region) painter.drawImage(rect, surface, rect);
}

// --- input ----------------------------------------------------------------------

void WndImpl::MouseEvent(UINT message, const QMouseEvent* event) {
    UINT flags = 0;
    const Qt::MouseButtons buttons = event->buttons();
    if ((buttons & Qt::LeftButton) != 0) flags |= MK_LBUTTON;
    if ((buttons & Qt::RightButton) != 0) flags |= MK_RBUTTON;
    if ((buttons & Qt::MiddleButton) != 0) flags |= MK_MBUTTON;
    if ((event->modifiers() & Qt::ShiftModifier) != 0) flags |= MK_SHIFT;
    if ((event->modifiers() & Qt::ControlModifier) != 0) flags |= MK_CONTROL;
    const QPoint point = event->position().toPoint();
    owner->SendMessage(message, flags, MAKELPARAM(point.x(), point.y()));
}

void WndImpl::FocusIn() {
    CWnd* previous = FocusedWnd();
    FocusedWnd() = owner;
    owner->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(previous == owner ? nullptr : previous));
}

void WndImpl::FocusOut() {
    if (FocusedWnd() == owner) FocusedWnd() = nullptr;
    owner->SendMessage(WM_KILLFOCUS, 0);
}

void WndImpl::CloseRequested() { owner->SendMessage(WM_CLOSE); }

// --- widgets --------------------------------------------------------------------

void ClientWidget::closeEvent(QCloseEvent* event) {
    // The window decides: WM_CLOSE destroys it by default.
    event->ignore();
    if (Impl() != nullptr) Impl()->CloseRequested();
}

void FrameWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_pImpl != nullptr) m_pImpl->CloseRequested();
}

void FrameWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (m_pImpl != nullptr) m_pImpl->FocusIn();
}

void FrameWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (m_pImpl != nullptr) m_pImpl->FocusOut();
}

void FrameWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_pImpl != nullptr) m_pImpl->LayoutFrame();
}

void DialogWidget::reject() {
    if (Impl() != nullptr) Impl()->owner->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
}

}  // namespace ui_detail
