// Message maps: the most derived map first, the first matching line of a
// map wins, unhandled messages and Default() reach the default processing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Wnd.h"
#include "platform/ui/tests/UiTestSupport.h"

namespace {

constexpr UINT kPing = 0x0400;  // a private message
constexpr UINT kBaseCommand = 100;
constexpr UINT kSharedCommand = 101;

class BaseWnd : public CWnd {
public:
    std::vector<std::string> m_log;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_log.push_back("default " + std::to_string(message) + " " + std::to_string(wParam));
        return CWnd::DefWindowProc(message, wParam, lParam);
    }

protected:
    afx_msg void OnTimer(UINT_PTR) { m_log.push_back("base timer"); }
    afx_msg void OnBaseCommand() { m_log.push_back("base command"); }
    afx_msg void OnSharedCommand() { m_log.push_back("base shared"); }
    afx_msg LRESULT OnPing(WPARAM, LPARAM) {
        m_log.push_back("base ping");
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_WM_TIMER()
    ON_MESSAGE(kPing, OnPing)
    ON_COMMAND(kBaseCommand, OnBaseCommand)
    ON_COMMAND(kSharedCommand, OnSharedCommand)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent) {
        m_log.push_back("derived timer " + std::to_string(nIDEvent));
        Default();
    }
    afx_msg void OnSharedCommand() { m_log.push_back("derived shared"); }
    afx_msg LRESULT OnFirstPing(WPARAM, LPARAM) {
        m_log.push_back("first ping");
        return 7;
    }
    afx_msg LRESULT OnSecondPing(WPARAM, LPARAM) {
        m_log.push_back("second ping");
        return 8;
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) {
        m_log.push_back("move " + std::to_string(point.x) + "," + std::to_string(point.y));
        CWnd::OnMouseMove(nFlags, point);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_MESSAGE(kPing, OnFirstPing)
    ON_WM_TIMER()
    ON_MESSAGE(kPing, OnSecondPing)
    ON_COMMAND(kSharedCommand, OnSharedCommand)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

TEST(MessageMap, DerivedMapFirstFirstLineWinsTheRestGetsDefaultProcessing) {
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd.m_log.clear();

    EXPECT_EQ(wnd.SendMessage(kPing), 7);
    wnd.SendMessage(WM_TIMER, 5);
    wnd.SendMessage(WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-3, 40));
    wnd.SendMessage(WM_COMMAND, kSharedCommand);
    wnd.SendMessage(WM_COMMAND, kBaseCommand);
    wnd.SendMessage(WM_COMMAND, 999);  // nobody's: default processing
    wnd.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 2));
    EXPECT_EQ(wnd.m_log, (std::vector<std::string>{
                             "first ping", "derived timer 5", "default 275 5", "move -3,40", "default 512 4",
                             "derived shared", "base command", "default 273 999", "default 515 1"}));

    // WM_CLOSE's default processing destroys the window.
    wnd.SendMessage(WM_CLOSE);
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    ui_test::FlushDeletes();
}

class RefusingWnd : public CWnd {
public:
    int m_nDestroys = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    afx_msg void OnDestroy() { ++m_nDestroys; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RefusingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST(MessageMap, CreateHandlerAnsweringMinusOneUndoesTheWindow) {
    RefusingWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_EQ(wnd.GetOuterWidget(), nullptr);
    EXPECT_EQ(wnd.m_nDestroys, 1);
    ui_test::FlushDeletes();
}

}  // namespace
