// A top-level window with a menu, accelerators and one client window that
// its layout stretches over the whole client area (the child with id
// AFX_IDW_PANE_FIRST).  The client area is what lies under the menu bar.
// Commands from the menu and the accelerators arrive as WM_COMMAND and are
// routed to the frame's own map, then to the application; a frame that has
// a view offers them to it first by overriding OnCmdMsg.
//
// A frame lives on the heap and deletes itself when its window is gone.
#pragma once

#include <string>

#include "platform/ui/Wnd.h"

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)

public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame from resource nIDResource: title string, window (via
    // PreCreateWindow and OnCreate), menu and accelerator table of that id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, void* pContext = nullptr);
    // Creates the frame window itself; lpszMenuName names a menu resource
    // (MAKEINTRESOURCEA) or is null.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const CRect& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, void* pContext = nullptr);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The frame's own message map, then the application's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Stretches the AFX_IDW_PANE_FIRST child over the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Frames are heap objects: this deletes the frame.
    void PostNcDestroy() override;

    // The menu bar's height in pixels (0 without a menu).
    int GetMenuBarHeight() const;

    // Marks a default position and size: the window system chooses.
    static const CRect rectDefault;
    std::string m_strTitle;  // the title string of LoadFrame's resource (Windows-1251)

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    UINT m_nIDResource = 0;
};
