// A window: a rectangle on the screen that receives messages through its
// message map and draws through device contexts.  CWnd itself is the child
// window the program makes (the board view, with its sunken edge);
// CFrameWnd and CDialog are the other two kinds.
//
// Each window owns its Qt widgets and a persistent surface with the screen's
// own pixels (its density is the screen's device pixel ratio, which the
// picture code learns as PictureDensity): what is drawn on it stays until
// drawn over, and reaches the screen as soon as a device context is
// released, also while a handler blocks.  A paint (WM_PAINT)
// first erases the region to paint with the window class's background
// brush, when the class has one.  The widgets go with DestroyWindow; the
// CWnd object belongs to whoever created it (frames delete themselves).
#pragma once

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <vector>

#include "platform/ui/CmdTarget.h"
#include "platform/ui/QtBridge.h"

class CWndDC;
class CPaintDC;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)

public:
    CWnd() = default;
    ~CWnd() override;  // destroys the window when it still exists

    // A child window of pParentWnd: PreCreateWindow may change the creation
    // structure, then the widgets are made and WM_CREATE is sent; a handler
    // answering -1 undoes it all and FALSE is returned.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const CRect& rect, CWnd* pParentWnd,
                UINT nID, void* pContext = nullptr);
    // Destroys the children, then this window's widgets; the application's
    // main window also ends the message loop.  PostNcDestroy comes last.
    virtual BOOL DestroyWindow();

    void GetClientRect(CRect* pRect) const;  // (0, 0, width, height) of the client area
    void GetWindowRect(CRect* pRect) const;  // a top-level window, frame included, on the screen
    // Places the window: screen coordinates and the outer size, window
    // system frame included, for a top-level window; the parent's client
    // coordinates for a child.  Position and size are always both set.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    // Handles a pending WM_PAINT of this window and its children at once.
    void UpdateWindow();
    void SetFocus();

    // The client area's widget (a top-level window's is Widget()->window()).
    QWidget* Widget() const { return m_pClient; }

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy() {}
    // Handles the message at once: WM_COMMAND goes to OnCommand, the rest
    // to the message map.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled: nothing, for every
    // message this program passes on.
    LRESULT Default() { return 0; }
    void Invalidate(BOOL bErase = TRUE);

    afx_msg int OnCreate(LPCREATESTRUCT) { return 0; }
    afx_msg void OnCancelMode() { Default(); }
    afx_msg void OnTimer(UINT_PTR) { Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }

    // Creation for every kind: PreCreateWindow, MakeOuter, WM_CREATE, show.
    BOOL CreateWindowFrom(CREATESTRUCT& cs);
    // The widget around the client area for this kind of window, with the
    // client area placed inside; the base makes a child's sunken edge.
    virtual QWidget* MakeOuter(const CREATESTRUCT& cs, QWidget* client);
    // Lays out the client area after the outer widget changed size.
    virtual void RecalcLayout();
    // Fits the surface to the client area; what grew needs a paint.
    void ResizeSurface();

    bool m_bDialog = false;  // set by CDialog before creation
    QPointer<QWidget> m_pOuter;  // the whole window
    QPointer<QWidget> m_pClient;
    std::vector<CWnd*> m_children;
    UINT m_nID = 0;

private:
    friend class CFrameWnd;  // lays out its pane
    friend class CWndDC;
    friend class CPaintDC;
    friend class ClientWidget;

    void PostPaint();
    void DeliverPaint();
    // Puts a drawn rectangle of the surface on the screen, at once unless a
    // paint of this window is running (then when it ends).
    void Present(const QRect& rect);

    ui_detail::WindowClass m_class;
    CWnd* m_pParent = nullptr;
    QImage m_surface;  // the screen's device pixels
    QSize m_surfaceSize{0, 0};  // in logical pixels
    QRegion m_invalid;
    QRegion m_paintRegion;  // being painted now
    QRect m_deferredPresent;
    bool m_bPaintPosted = false;
    bool m_bInPaint = false;

    DECLARE_MESSAGE_MAP()
};

// A status bar.  Only constructed and destroyed: this program shows none.
class CStatusBar : public CWnd {};
