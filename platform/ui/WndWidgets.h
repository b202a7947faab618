// The widgets behind windows.  They hold a pointer back to the window's
// platform state and forward paint, mouse, focus and close events to it;
// once the window is destroyed the pointer is cleared and they go quiet
// until Qt deletes them.
#pragma once

#include <QDialog>
#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWidget>

#include "platform/ui/WndImpl.h"

namespace ui_detail {

// The event that delivers a pending WM_PAINT: posted with low priority,
// so that it comes after the input already waiting, as WM_PAINT does.
QEvent::Type PaintDeliveryEvent();

template <class Base>
class SurfaceWidget : public Base {
public:
    SurfaceWidget(WndImpl* impl, QWidget* parent) : Base(parent), m_pImpl(impl) {
        this->setMouseTracking(true);
        this->setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void Detach() { m_pImpl = nullptr; }

protected:
    bool event(QEvent* event) override {
        if (event->type() == PaintDeliveryEvent()) {
            if (m_pImpl != nullptr) m_pImpl->DeliverPaint();
            return true;
        }
        return Base::event(event);
    }
    void paintEvent(QPaintEvent* event) override {
        if (m_pImpl != nullptr) m_pImpl->Blit(this, event->region());
    }
    void mousePressEvent(QMouseEvent* event) override { Mouse(event, WM_LBUTTONDOWN, WM_RBUTTONDOWN); }
    void mouseReleaseEvent(QMouseEvent* event) override { Mouse(event, WM_LBUTTONUP, WM_RBUTTONUP); }
    // The second press of a double click: a class asking for double clicks
    // gets WM_LBUTTONDBLCLK, any other a second WM_LBUTTONDOWN.
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const bool wantsDouble = m_pImpl != nullptr && (m_pImpl->wndClass.style & CS_DBLCLKS) != 0;
        if (wantsDouble)
            Mouse(event, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK);
        else
            Mouse(event, WM_LBUTTONDOWN, WM_RBUTTONDOWN);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_pImpl != nullptr) m_pImpl->MouseEvent(WM_MOUSEMOVE, event);
    }
    void resizeEvent(QResizeEvent* event) override {
        Base::resizeEvent(event);
        if (m_pImpl != nullptr) m_pImpl->ClientResized();
    }
    void showEvent(QShowEvent* event) override {
        Base::showEvent(event);
        if (m_pImpl != nullptr && !m_pImpl->invalid.isEmpty()) m_pImpl->PostPaint();
    }
    void focusInEvent(QFocusEvent* event) override {
        Base::focusInEvent(event);
        if (m_pImpl != nullptr) m_pImpl->FocusIn();
    }
    void focusOutEvent(QFocusEvent* event) override {
        Base::focusOutEvent(event);
        if (m_pImpl != nullptr) m_pImpl->FocusOut();
    }

    WndImpl* Impl() const { return m_pImpl; }

private:
    void Mouse(QMouseEvent* event, UINT leftMessage, UINT rightMessage) {
        if (m_pImpl == nullptr) return;
        if (event->button() == Qt::LeftButton) m_pImpl->MouseEvent(leftMessage, event);
        if (event->button() == Qt::RightButton) m_pImpl->MouseEvent(rightMessage, event);
    }

    WndImpl* m_pImpl;
};

// Client area of a plain or frame window; also a whole top-level plain window.
class ClientWidget : public SurfaceWidget<QWidget> {
public:
    using SurfaceWidget::SurfaceWidget;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// A top-level frame: menu bar above the client widget.
class FrameWidget : public QWidget {
public:
    FrameWidget(WndImpl* impl, QWidget* parent) : QWidget(parent), m_pImpl(impl) {}
    void Detach() { m_pImpl = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    WndImpl* m_pImpl;
};

// A dialog: its own client area, with the controls on top of the surface.
// Escape and the close box go through reject() to IDCANCEL.
class DialogWidget : public SurfaceWidget<QDialog> {
public:
    using SurfaceWidget::SurfaceWidget;
    void reject() override;
};

}  // namespace ui_detail
