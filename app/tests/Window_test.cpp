// The main window: place, size, caption, the menu and the accelerators, and where each command goes.  (The focus
// handed to the view, the menu's quit and its scores are the real-window tests': they type, quit and open by keys.)
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWindow>

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
    CBoardView& View() const { return Frame().GetView(); }
    QWidget* Window() const { return Frame().Widget()->window(); }
    bool FrameAlive() const { return m_pApp->m_pMainWnd != nullptr; }

    ScratchRunFolder m_folder;
    std::unique_ptr<CGameApp> m_pApp = std::make_unique<CGameApp>();
};

QAction* MenuItem(QWidget* window, const char* menuText, const char* itemText) {
    for (QAction* menu : window->findChild<QMenuBar*>()->actions()) {
        if (menu->text() != QString::fromUtf8(menuText)) continue;
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == QString::fromUtf8(itemText)) return item;
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(AppTest, WindowHasItsPlaceSizesAndCaption) {
    CRect view;
    View().GetClientRect(&view);
    EXPECT_EQ(view, CRect(0, 0, 360, 410));
    CRect client;
    Frame().GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 364, 414));
    EXPECT_EQ(Window()->windowTitle(), QString::fromUtf8(" шарики"));
    EXPECT_EQ(Window()->minimumSize(), Window()->maximumSize()) << "the size can be changed";
    EXPECT_FALSE(Window()->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
}

// Accelerators of an edit menu the game never had: nothing changes, shows or ends.
TEST_F(AppTest, StrayAcceleratorKeysChangeNothing) {
    int ball = 0;
    while (View().Cell(ball) == 0) ++ball;
    ClickClient(View(), CellCentre(ball));
    ASSERT_TRUE(View().IsSelected());
    const QImage before = GrabClient(View());
    const ModalWatcher watcher;
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_C, Qt::ControlModifier},    {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_X, Qt::ControlModifier},      {Qt::Key_Delete, Qt::ShiftModifier},
        {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_Backspace, Qt::AltModifier},  {Qt::Key_F6, Qt::NoModifier},
        {Qt::Key_F6, Qt::ShiftModifier}};
    for (const auto& [key, modifiers] : keys) QTest::keyClick(Window()->windowHandle(), key, modifiers);
    EXPECT_TRUE(View().IsSelected());
    EXPECT_EQ(FirstDifference(GrabClient(View()), before, before.rect()), "");
    EXPECT_EQ(watcher.Count(), 0);
    EXPECT_TRUE(FrameAlive());
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
    MenuItem(Window(), "&Help", "&About")->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(WaitFor([this] { return QApplication::activeWindow() == Window(); }));
}

TEST_F(AppTest, CloseBoxEndsWithoutAQuestion) {
    const ModalWatcher watcher;
    Window()->close();
    EXPECT_FALSE(FrameAlive());
    EXPECT_EQ(watcher.Count(), 0);
}
