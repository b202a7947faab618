// The main window as the player gets it: place, fixed size, caption, the
// first picture, focus; the menu and the accelerators, and where each
// command goes.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWindow>

#include "app/Resources.h"
#include "app/tests/AppTestSupport.h"

namespace {

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
    CRect window;
    Frame().GetWindowRect(&window);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 100);
    EXPECT_EQ(Window()->windowTitle(), QString::fromUtf8(" шарики"));
    EXPECT_FALSE(Window()->windowIcon().isNull());
    EXPECT_EQ(Window()->minimumSize(), Window()->maximumSize()) << "the size can be changed";
    EXPECT_FALSE(Window()->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
}

TEST_F(AppTest, FrameHandsTheFocusToTheView) {
    Frame().SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), View().Widget());
}

// A main frame that notes every command offered to it and keeps it from
// its handlers when asked to.
class CSpyFrame : public CMainFrame {
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
        m_commands.push_back(nID);
        return m_bSwallow || CMainFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    std::vector<UINT> m_commands;
    bool m_bSwallow = true;
};

class SpyFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pFolder = std::make_unique<ScratchRunFolder>();
        ASSERT_TRUE(m_app.InitApplication());
        m_pFrame = new CSpyFrame;
        m_app.m_pMainWnd = m_pFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, 0, nullptr, nullptr));
        m_pFrame->ShowWindow(SW_SHOW);
        ASSERT_TRUE(WaitUntilShown(*m_pFrame));
    }
    void TearDown() override {
        if (m_app.m_pMainWnd != nullptr) m_app.m_pMainWnd->DestroyWindow();
        m_app.ExitInstance();
        FlushDeletes();
        ForgetQuitRequest();
    }
    QWindow* Window() const { return m_pFrame->Widget()->window()->windowHandle(); }

    std::unique_ptr<ScratchRunFolder> m_pFolder;
    CGameApp m_app;
    CSpyFrame* m_pFrame = nullptr;
};

TEST_F(SpyFrameTest, MnemonicsChooseTheItemsAndAcceleratorKeysReachTheFrameAndDoNothing) {
    const struct {
        Qt::Key menu;
        Qt::Key item;
        UINT command;
    } choices[] = {{Qt::Key_G, Qt::Key_N, 32775},
                   {Qt::Key_G, Qt::Key_R, 32772},
                   {Qt::Key_G, Qt::Key_S, 32771},
                   {Qt::Key_G, Qt::Key_Q, 57665},
                   {Qt::Key_H, Qt::Key_A, 57664}};
    for (const auto& choice : choices) {
        m_pFrame->m_commands.clear();
        QTest::keyClick(Window(), choice.menu, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << "no menu opened";
        QTest::keyClick(popup, choice.item);
        EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{choice.command});
    }
    m_pFrame->m_commands.clear();
    m_pFrame->m_bSwallow = false;
    CBoardView& view = m_pFrame->GetView();
    int ball = 0;
    while (view.Cell(ball) == 0) ++ball;
    ClickClient(view, CellCentre(ball));
    ASSERT_TRUE(view.IsSelected());
    const QImage before = GrabClient(view);
    const ModalWatcher watcher;
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_C, Qt::ControlModifier},    {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_X, Qt::ControlModifier},      {Qt::Key_Delete, Qt::ShiftModifier},
        {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_Backspace, Qt::AltModifier},  {Qt::Key_F6, Qt::NoModifier},
        {Qt::Key_F6, Qt::ShiftModifier}};
    for (const auto& [key, modifiers] : keys) QTest::keyClick(Window(), key, modifiers);
    EXPECT_EQ(m_pFrame->m_commands,
              (std::vector<UINT>{57634, 57634, 57637, 57637, 57635, 57635, 57643, 57643, 57680, 57681}));
    EXPECT_TRUE(view.IsSelected());
    EXPECT_EQ(FirstDifference(GrabClient(view), before, before.rect()), "");
    EXPECT_EQ(watcher.Count(), 0);
    EXPECT_NE(m_app.m_pMainWnd, nullptr);
}

TEST_F(AppTest, MenuCommandsReachTheViewAndTheApplicationAndTheWindowTakesTheKeyboardBack) {
    // "&scores" is the view's: its table shows, wherever the focus is.
    int shown = 0;
    WhenModalShown([&](QWidget* dialog) {
        ++shown;
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("  РЕКОРДЫ"));
        PressButton(dialog, QString::fromUtf8("закрыть"));
    });
    MenuItem(Window(), "&Game", "&scores")->trigger();
    // "&About" is the application's: the icon and two lines of text.
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
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(WaitFor([this] { return QApplication::activeWindow() == Window(); }));
}

TEST_F(AppTest, QuitEndsWithoutAQuestion) {
    const ModalWatcher watcher;
    MenuItem(Window(), "&Game", "&quit")->trigger();
    EXPECT_FALSE(FrameAlive());
    EXPECT_EQ(watcher.Count(), 0);
}

TEST_F(AppTest, CloseBoxEndsWithoutAQuestion) {
    const ModalWatcher watcher;
    Window()->close();
    EXPECT_FALSE(FrameAlive());
    EXPECT_EQ(watcher.Count(), 0);
}
