// Frames, views, message maps and menus, driven by real events on the
// offscreen platform.  Sizes, caption and accelerators are checked on the
// game's own window.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include "platform/ui/Dialog.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/tests/TestWindows.h"
#include "platform/ui/tests/UiTestSupport.h"

using namespace ui_test;

namespace {

constexpr UINT kTestDialog = 300;

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestResources();
        Log().clear();
        m_pFrame = new TestFrame;
        m_app.m_pMainWnd = m_pFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(128));
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->UpdateWindow();
        m_nPaintsBeforeLoop = m_pFrame->m_wndView.m_nPaints;
        QWidget* top = m_pFrame->GetOuterWidget();
        ASSERT_TRUE(WaitFor([top] { return top->windowHandle()->isExposed() && QApplication::activeWindow() == top; }));
    }
    void TearDown() override {
        if (m_app.m_pMainWnd != nullptr) m_app.m_pMainWnd->DestroyWindow();
        FlushDeletes();
        ClearUiResources();
    }
    QPoint ViewToWindow(CPoint point) const {
        QWidget* client = m_pFrame->m_wndView.GetClientWidget();
        return client->mapTo(client->window(), QPoint(point.x, point.y));
    }
    QAction* MenuAction(const QString& popupText, const QString& itemText) const {
        auto* bar = m_pFrame->GetOuterWidget()->findChild<QMenuBar*>();
        for (QAction* popup : bar->actions()) {
            if (popup->text() != popupText) continue;
            for (QAction* item : popup->menu()->actions())
                if (item->text() == itemText) return item;
        }
        return nullptr;
    }

    TestApp m_app;
    TestFrame* m_pFrame = nullptr;  // deletes itself when destroyed
    int m_nPaintsBeforeLoop = 0;
};

TEST_F(FrameTest, FirstPaintErasesTheViewToTheWindowColourBeforeTheLoopRuns) {
    // UpdateWindow in SetUp painted, before any event loop ran.
    EXPECT_EQ(m_nPaintsBeforeLoop, 1);
    const QImage screen = GrabClient(m_pFrame->m_wndView);
    ASSERT_EQ(screen.size(), QSize(360, 410));
    const QRgb window = QColor(GetRValue(GetSysColor(COLOR_WINDOW)), GetGValue(GetSysColor(COLOR_WINDOW)),
                               GetBValue(GetSysColor(COLOR_WINDOW)))
                            .rgb();
    EXPECT_EQ(screen.pixel(0, 0), window);
    EXPECT_EQ(screen.pixel(359, 409), window);
    EXPECT_EQ(screen.pixel(15, 65), qRgb(0, 0, 0));  // the paint handler's square
    EXPECT_EQ(screen.pixel(16, 65), window);
}

TEST_F(FrameTest, MenuCommandsGoToViewThenFrameThenApplication) {
    const char* const popups[] = {"&Game", "&Help"};
    auto* bar = m_pFrame->GetOuterWidget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 2);
    for (int index = 0; index < 2; ++index) EXPECT_EQ(bar->actions()[index]->text(), popups[index]);

    MenuAction("&Game", "&new game")->trigger();
    MenuAction("&Game", "&scores")->trigger();
    MenuAction("&Game", "&remake move")->trigger();
    MenuAction("&Help", "&About")->trigger();
    EXPECT_EQ(Log(), (std::vector<std::string>{"view: view only", "view: view and frame", "frame: frame only",
                                               "app: about"}));
    EXPECT_EQ(m_pFrame->m_commands,
              (std::vector<WPARAM>{kCmdViewOnly, kCmdViewAndFrame, kCmdFrameOnly, ID_APP_ABOUT}));
}

TEST_F(FrameTest, FrameHandsTheFocusToTheView) {
    EXPECT_EQ(CWnd::GetFocus(), &m_pFrame->m_wndView);
}

TEST_F(FrameTest, MainWindowTakesTheKeyboardBackWhenAModalDialogEnds) {
    RegisterDialogResource(kTestDialog, rc::Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 100, 40,
                                                   "", 9, "Arial", {rc::DefPushButton("OK", IDOK, 25, 20, 50, 14)}));
    // An earlier test's main window, destroyed outside a loop, left a quit
    // request behind that would end the modal loop at once.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    CDialog dialog(kTestDialog);
    QObject whileThisTestRuns;
    QTimer::singleShot(0, &whileThisTestRuns, [&] {
        ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == dialog.GetOuterWidget(); }));
        // Nothing else (no window manager) hands the activation back.
        QApplication::setActiveWindow(nullptr);
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    QWidget* top = m_pFrame->GetOuterWidget();
    EXPECT_TRUE(WaitFor([top] { return QApplication::activeWindow() == top; }));
}

TEST_F(FrameTest, DoubleClickGivesPressThenDoubleClickForAClassThatAsksForIt) {
    QWindow* window = m_pFrame->GetOuterWidget()->windowHandle();
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, ViewToWindow(CPoint(30, 70)));
    EXPECT_EQ(Log(), (std::vector<std::string>{"down 30,70", "up 30,70", "dblclk 30,70", "up 30,70"}));
}

TEST_F(FrameTest, CancelModeGetsDefaultProcessingAndLeavesTheWindowAlone) {
    m_pFrame->m_wndView.SendMessage(WM_CANCELMODE);
    EXPECT_EQ(Log(), std::vector<std::string>{"cancelmode"});
    EXPECT_TRUE(m_pFrame->m_wndView.IsWindowVisible());
}

TEST(PlainWindow, DoubleClickWithoutTheClassStyleIsASecondPress) {
    Log().clear();
    TestView view(CS_HREDRAW | CS_VREDRAW);
    ASSERT_TRUE(view.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, 50, 50, 200, 150, nullptr, nullptr));
    QWindow* window = view.GetOuterWidget()->windowHandle();
    ASSERT_TRUE(WaitFor([window] { return window->isExposed(); }));
    const QPoint at = view.GetClientWidget()->mapTo(view.GetOuterWidget(), QPoint(10, 12));
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(Log(), (std::vector<std::string>{"down 10,12", "up 10,12", "down 10,12", "up 10,12"}));
    view.DestroyWindow();
    FlushDeletes();
}

TEST(MessageLoop, EndsWhenTheMainWindowIsClosedOrDestroyed) {
    RegisterTestResources();
    for (const bool byCloseBox : {true, false}) {
        TestApp app;
        auto* frame = new TestFrame;
        app.m_pMainWnd = frame;
        ASSERT_TRUE(frame->LoadFrame(128));
        frame->ShowWindow(SW_SHOW);
        QWidget* top = frame->GetOuterWidget();
        QTimer::singleShot(50, [top, frame, byCloseBox] {
            if (byCloseBox)
                top->close();
            else
                frame->PostMessage(WM_CLOSE);
        });
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        safety.start(5000);
        EXPECT_EQ(app.Run(), 0);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    }
    ClearUiResources();
}

}  // namespace
