// The main window as the player gets it: place, fixed sizes, caption,
// styles, and where the focus goes.
#include <QIcon>
#include <QWidget>

#include "app/tests/AppTestSupport.h"
#include "platform/ui/WinApi.h"

TEST_F(AppTest, WindowHasItsPlaceSizesAndCaption) {
    CRect viewClient;
    View().GetClientRect(&viewClient);
    EXPECT_EQ(viewClient.Width(), 360);
    EXPECT_EQ(viewClient.Height(), 410);
    CRect frameClient;
    Frame().GetClientRect(&frameClient);
    EXPECT_EQ(frameClient.Width(), 364);
    EXPECT_EQ(frameClient.Height(), 414);
    CRect frameWindow;
    Frame().GetWindowRect(&frameWindow);
    EXPECT_EQ(frameWindow.left, 100);
    EXPECT_EQ(frameWindow.top, 100);

    EXPECT_EQ(Frame().GetWindowText(), " \xF8\xE0\xF0\xE8\xEA\xE8");
    QWidget* window = Frame().GetOuterWidget();
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(" шарики"));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the size can be changed";
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);

    EXPECT_EQ(Frame().GetStyle(), WS_BORDER | WS_SYSMENU);
    EXPECT_EQ(Frame().GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_EQ(View().GetExStyle() & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(View().GetStyle() & WS_BORDER, 0u);
    EXPECT_EQ(View().GetClassStyle(), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

TEST_F(AppTest, FrameHandsTheFocusToTheView) {
    Frame().SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &View());
}
