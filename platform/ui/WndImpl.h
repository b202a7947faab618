// The Qt side of a window: its widgets, its persistent surface, its
// pending paint region and the messages being handled.  One per CWnd.
//
// Widgets: `outer` is the whole window (a top-level widget, or a frame
// drawing the window's edge), `client` the client area that shows the
// surface and receives the mouse.  For a window without edges, and for a
// dialog, both are the same widget.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "platform/ui/ResourceTypes.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Wnd.h"

class QMenuBar;
class QMouseEvent;

namespace ui_detail {

enum class WindowKind {
    plain,    // child or top-level window of a registered class
    frame,    // top-level window with a menu bar over its client area
    dialog,   // modal dialog; controls from a template
    control,  // a dialog control seen through a CWnd (GetDlgItem)
};

class WndImpl {
public:
    explicit WndImpl(CWnd* owner);
    ~WndImpl();
    WndImpl(const WndImpl&) = delete;
    WndImpl& operator=(const WndImpl&) = delete;

    static WndImpl* Of(const CWnd* wnd) { return wnd == nullptr ? nullptr : wnd->Impl(); }
    bool Exists() const { return !outer.isNull(); }

    // --- creation and destruction ---
    void Build(const CREATESTRUCT& cs);
    void AttachControl(QWidget* control, UINT controlId);
    void TearDown();
    void SetMenu(const MenuResource& menu);
    void SetAccelerators(const std::vector<ACCEL>& table);

    // --- geometry ---
    void SetGeometry(int x, int y, int cx, int cy, UINT flags);
    void LayoutFrame();
    int MenuBarHeight(int width) const;
    void ClientResized();

    // --- painting ---
    void Invalidate(const QRegion& region);
    void Validate(const QRegion& region);
    void PostPaint();
    void DeliverPaint();
    void UpdateNow();
    // Puts a drawn rectangle of the surface on the screen, at once unless a
    // paint of this window is running (then when it ends).
    void Present(const QRect& rect);
    void Blit(QWidget* widget, const QRegion& region) const;

    // --- input from the widgets ---
    void MouseEvent(UINT message, const QMouseEvent* event);
    void FocusIn();
    void FocusOut();
    void CloseRequested();

    // --- dialogs ---
    QWidget* ControlWidget(UINT controlId) const;
    CWnd* ControlWnd(UINT controlId);
    void FocusFirstTabStop();

    CWnd* const owner;
    WindowKind kind = WindowKind::plain;
    const DialogTemplate* dialogTemplate = nullptr;
    UINT menuResourceId = 0;  // a frame's menu, attached when it is built

    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    WNDCLASSA wndClass;
    CWnd* parent = nullptr;
    std::vector<CWnd*> children;

    QPointer<QWidget> outer;
    QPointer<QWidget> client;
    QPointer<QMenuBar> menuBar;
    std::vector<std::pair<UINT, QPointer<QWidget>>> controls;  // template order
    std::map<UINT, std::unique_ptr<CWnd>> controlWnds;

    QImage surface;
    QRegion invalid;
    QRegion paintRegion;  // being painted now
    QRect deferredPresent;
    bool paintPosted = false;
    bool inPaint = false;
    QSize reportedClientSize;
    int edge = 0;  // pixels of edge around the client area

    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<CurrentMessage> messages;  // innermost last
    std::shared_ptr<char> life = std::make_shared<char>();  // expires with this object

private:
    void BuildPlain(const CREATESTRUCT& cs, QWidget* parentWidget);
    void BuildFrame(const CREATESTRUCT& cs);
    void BuildDialog(const CREATESTRUCT& cs, QWidget* parentWidget);
    void ApplyTopLevelFlags(QWidget* widget, bool dialog) const;
    void ResizeSurface(const QSize& size);
};

// The window that has the keyboard focus, as the window layer tracks it.
CWnd*& FocusedWnd();

}  // namespace ui_detail
