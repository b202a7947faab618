// The main window: caption, fixed size, where "About" goes, the close box.  (Its place and size, the focus handed to
// the view, the accelerators that do nothing, the menu's quit and its scores are the real-window tests': they look,
// type, quit and open by keys.)
#include <QAction>
#include <QApplication>
#include <QLabel>

#include "app/GameApp.h"
#include "app/MainFrame.h"
#include "app/tests/AppTestSupport.h"

namespace {

// The application with a fixed first seed, its window shown.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Ready());
        m_pApp->SetFirstSeed(kTestSeed);
        ASSERT_TRUE(m_pApp->InitApplication() && m_pApp->InitInstance() && m_pApp->GetMainFrame() != nullptr);
        ASSERT_TRUE(WaitUntilShown(Frame()));
    }
    void TearDown() override {
        if (m_pApp->m_pMainWnd != nullptr) m_pApp->m_pMainWnd->DestroyWindow();
        m_pApp->ExitInstance();
        FlushDeletes();
        ForgetQuitRequest();
        m_pApp.reset();
    }

    CMainFrame& Frame() const { return *m_pApp->GetMainFrame(); }
    QWidget* Window() const { return Frame().Widget()->window(); }

    ScratchRunFolder m_folder;
    std::unique_ptr<CGameApp> m_pApp = std::make_unique<CGameApp>();
};

}  // namespace

TEST_F(AppTest, WindowHasItsCaptionAndFixedSize) {
    EXPECT_EQ(Window()->windowTitle(), QString::fromUtf8(" шарики"));
    EXPECT_EQ(Window()->minimumSize(), Window()->maximumSize()) << "the size can be changed";
    EXPECT_FALSE(Window()->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
}

// "&About" is the application's: the icon and two lines of text.
TEST_F(AppTest, AboutReachesTheApplicationAndTheWindowTakesTheKeyboardBack) {
    int shown = 0;
    WhenModalShown([&](QWidget* dialog) {
        ++shown;
        const auto labels = dialog->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 3);
        EXPECT_FALSE(labels[0]->pixmap().isNull());
        EXPECT_EQ(labels[1]->text(), "velmor 1.0");
        EXPECT_FALSE(labels[2]->text().isEmpty());
        // Nothing else (no window manager) hands the activation back.
        QApplication::setActiveWindow(nullptr);
        PressButton(dialog, "OK");
    });
    for (QAction* item : Window()->findChildren<QAction*>()) {
        if (item->text() == "&About") item->trigger();
    }
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(WaitFor([this] { return QApplication::activeWindow() == Window(); }));
}

TEST_F(AppTest, CloseBoxEndsWithoutAQuestion) {
    const ModalWatcher watcher;
    Window()->close();
    EXPECT_EQ(m_pApp->m_pMainWnd, nullptr);
    EXPECT_EQ(watcher.Count(), 0);
}
