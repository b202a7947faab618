// Windows built the way the game builds its own: a view with a sunken
// edge and a class asking for double clicks, inside a fixed frame that
// sizes itself around it; an application object that takes commands last.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WinApp.h"

namespace ui_test {

inline constexpr UINT kCmdViewOnly = 32775;
inline constexpr UINT kCmdViewAndFrame = 32771;
inline constexpr UINT kCmdFrameOnly = 32772;
inline constexpr const char* kCaption = " \xF8\xE0\xF0\xE8\xEA\xE8";  // " шарики"

// Every message and command the test windows see, in order.
std::vector<std::string>& Log();

class TestView : public CWnd {
public:
    explicit TestView(UINT classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW) : m_classStyle(classStyle) {}
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    int m_nPaints = 0;

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnViewOnly();
    afx_msg void OnViewAndFrame();
    DECLARE_MESSAGE_MAP()

private:
    UINT m_classStyle;
};

class TestFrame : public CFrameWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    TestView m_wndView;
    std::vector<WPARAM> m_commands;  // every WM_COMMAND's wParam

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnViewAndFrame();
    afx_msg void OnFrameOnly();
    DECLARE_MESSAGE_MAP()
};

class TestApp : public CWinApp {
protected:
    afx_msg void OnAppAbout();
    afx_msg void OnFrameOnly();
    DECLARE_MESSAGE_MAP()
};

// Menu 128, accelerators 128 and the strings, as the game has them.
void RegisterTestResources();

}  // namespace ui_test
