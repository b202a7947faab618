// The main window: a top-level window with a menu bar, accelerators and
// one child that the frame's layout stretches over the whole client area
// (the child with id AFX_IDW_PANE_FIRST).  The client area is what lies
// under the menu bar.  Menu items and accelerator keys send WM_COMMAND with
// their command ids to the frame, which offers them to its own map, then to
// the application's; a frame with a view offers them to it first by
// overriding OnCmdMsg.  Its close box destroys it.
//
// A frame lives on the heap and deletes itself when its window is gone.
#pragma once

#include <QMenuBar>
#include <QPointer>
#include <string>

#include "platform/ui/UiResources.h"
#include "platform/ui/Wnd.h"

class QMenu;

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)

public:
    // Creates the frame from resource nIDResource: its title string, the
    // window (through PreCreateWindow and OnCreate), its menu and its
    // accelerator table.  FALSE when the window was not made; the frame has
    // then deleted itself.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext);
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL DestroyWindow() override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override { delete this; }
    QWidget* MakeOuter(const CREATESTRUCT& cs, QWidget* client) override;
    void RecalcLayout() override;

    DECLARE_MESSAGE_MAP()

private:
    friend class FrameWidget;
    void AddMenuItems(QMenu* menu, const std::vector<MenuItemResource>& items);
    void SendCommand(UINT id, WORD source) { SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), source), 0); }

    UINT m_nIDResource = 0;
    QPointer<QMenuBar> m_pMenuBar;
};
