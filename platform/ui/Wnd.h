// A window: a rectangle on the screen that receives messages through its
// message map and draws through device contexts.  Each window keeps a
// persistent surface: what is drawn on it stays until drawn over, and
// reaches the screen as soon as a device context is released, also while a
// handler blocks.  A paint (WM_PAINT) first erases the region to paint with
// the window class's background brush, when the class has one.
//
// The Qt widgets behind a window belong to the window and go with
// DestroyWindow; the CWnd object itself belongs to whoever created it
// (frames delete themselves, see CFrameWnd).
#pragma once

#include <memory>
#include <string>

#include "platform/ui/CmdTarget.h"

class QWidget;
namespace ui_detail {
class WndImpl;
}

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)

public:
    CWnd();
    ~CWnd() override;  // destroys the window when it still exists

    // --- creation and destruction ---
    // Fills a CREATESTRUCT, lets PreCreateWindow change it, builds the
    // window and sends WM_CREATE; a handler answering -1 undoes it all and
    // FALSE is returned.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const CRect& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const CRect& rect, CWnd* pParentWnd, UINT nID, void* lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                  int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  void* lpParam = nullptr);
    // Gives the window a class when none is named; derived classes adjust
    // style, extended style, class and title here.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Sends WM_DESTROY (this window, then its children), removes the
    // widgets, sends WM_NCDESTROY and calls PostNcDestroy.  The
    // application's main window also ends the message loop.
    virtual BOOL DestroyWindow();
    // Last call of a window's life; the base does nothing.
    virtual void PostNcDestroy();

    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWnd* FromHandle(HWND hWnd) { return reinterpret_cast<CWnd*>(hWnd); }
    HWND m_hWnd = nullptr;  // this object's handle while the window exists

    // --- messages ---
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queues the message; it is handled when the message loop next runs.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Looks the message up in the message maps; FALSE when no line has it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // What the window system does with a message nobody handled: WM_CLOSE
    // destroys the window, WM_SETTEXT sets the caption, the rest do nothing.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled now.
    LRESULT Default();
    // WM_COMMAND: hands the command id to OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    // --- geometry ---
    void GetClientRect(CRect* pRect) const;  // (0, 0, width, height) of the client area
    void GetWindowRect(CRect* pRect) const;  // the whole window, in screen coordinates
    // x, y are in the parent's client coordinates for a child, screen
    // coordinates otherwise; cx, cy are the window's outer size.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void ClientToScreen(CPoint* pPoint) const;

    // --- showing and painting ---
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    // Handles a pending WM_PAINT of this window and its children at once.
    void UpdateWindow();
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const CRect* pRect, BOOL bErase = TRUE);  // null: the whole client area
    void ValidateRect(const CRect* pRect);
    // True while a WM_PAINT is pending for this window.
    BOOL GetUpdateRect(CRect* pRect, BOOL bErase = FALSE) const;

    // --- focus, text, relations ---
    CWnd* SetFocus();  // returns the window that had the focus
    static CWnd* GetFocus();
    void SetWindowText(LPCSTR lpszString);  // Windows-1251 bytes
    std::string GetWindowText() const;
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int nID) const;
    UINT GetDlgCtrlID() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    UINT GetClassStyle() const;  // the window class's CS_ bits
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);

    // --- the Qt side, for platform code and tests ---
    // The widget of the client area (painted from the surface, receiving the
    // mouse) and the outermost widget of the window.  Null without a window.
    QWidget* GetClientWidget() const;
    QWidget* GetOuterWidget() const;

    // The platform's own state of this window; for the window layer only.
    ui_detail::WndImpl* Impl() const { return m_pImpl.get(); }

protected:
    // --- default handlers; each does default processing ---
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnCancelMode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<ui_detail::WndImpl> m_pImpl;
};
