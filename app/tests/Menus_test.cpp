// The menu and the accelerators: items, order, mnemonics and command ids;
// what each command does; keys that do nothing.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWindow>

#include "app/Resources.h"
#include "app/tests/AppTestSupport.h"

namespace {

std::vector<std::string> Texts(const QList<QAction*>& actions) {
    std::vector<std::string> texts;
    for (const QAction* action : actions) texts.push_back(action->text().toStdString());
    return texts;
}

// A main frame that notes every command offered to it; it may keep them
// from their handlers.
class CSpyFrame : public CMainFrame {
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
        if (pHandlerInfo == nullptr) m_commands.push_back(nID);
        if (m_bSwallow) return TRUE;
        return CMainFrame::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    std::vector<UINT> m_commands;
    bool m_bSwallow = true;
};

class SpyFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pFolder = std::make_unique<ScratchRunFolder>();
        ASSERT_TRUE(m_pApp.InitApplication());
        m_pFrame = new CSpyFrame;
        m_pApp.m_pMainWnd = m_pFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, 0, nullptr, nullptr));
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->UpdateWindow();
        ASSERT_TRUE(WaitUntilShown(*m_pFrame));
    }
    void TearDown() override {
        if (m_pApp.m_pMainWnd != nullptr) m_pApp.m_pMainWnd->DestroyWindow();
        m_pApp.ExitInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ForgetQuitRequest();
    }
    QWindow* Window() const { return m_pFrame->GetOuterWidget()->windowHandle(); }

    std::unique_ptr<ScratchRunFolder> m_pFolder;
    CGameApp m_pApp;
    CSpyFrame* m_pFrame = nullptr;
};

}  // namespace

TEST_F(AppTest, MenuBarHoldsTheGameAndHelpMenusInOrder) {
    auto* bar = Frame().GetOuterWidget()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> menus = bar->actions();
    ASSERT_EQ(Texts(menus), (std::vector<std::string>{"&Game", "&Help"}));
    EXPECT_EQ(Texts(menus[0]->menu()->actions()),
              (std::vector<std::string>{"&new game", "&remake move", "&scores", "&quit"}));
    EXPECT_EQ(Texts(menus[1]->menu()->actions()), (std::vector<std::string>{"&About"}));
    for (QAction* menu : menus) {
        for (const QAction* item : menu->menu()->actions()) EXPECT_TRUE(item->isEnabled());
    }
}

TEST_F(SpyFrameTest, MnemonicsChooseTheItemsAndTheirCommandIds) {
    struct Choice {
        Qt::Key menu;
        Qt::Key item;
        UINT command;
    };
    const Choice choices[] = {{Qt::Key_G, Qt::Key_N, 32775}, {Qt::Key_G, Qt::Key_R, 32772},
                              {Qt::Key_G, Qt::Key_S, 32771}, {Qt::Key_G, Qt::Key_Q, 57665},
                              {Qt::Key_H, Qt::Key_A, 57664}};
    for (const Choice& choice : choices) {
        m_pFrame->m_commands.clear();
        QTest::keyClick(Window(), choice.menu, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << "no menu opened";
        QTest::keyClick(popup, choice.item);
        EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{choice.command});
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST_F(SpyFrameTest, AcceleratorKeysDoNothing) {
    m_pFrame->m_bSwallow = false;
    CBoardView& view = m_pFrame->GetView();
    int ball = 0;
    while (view.Cell(ball) == 0) ++ball;
    ClickClient(view, CellCentre(ball));
    ASSERT_TRUE(view.IsSelected());
    const QImage before = GrabClient(view);

    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Key keys[] = {{Qt::Key_C, Qt::ControlModifier},      {Qt::Key_Insert, Qt::ControlModifier},
                        {Qt::Key_V, Qt::ControlModifier},      {Qt::Key_Insert, Qt::ShiftModifier},
                        {Qt::Key_X, Qt::ControlModifier},      {Qt::Key_Delete, Qt::ShiftModifier},
                        {Qt::Key_Z, Qt::ControlModifier},      {Qt::Key_Backspace, Qt::AltModifier},
                        {Qt::Key_F6, Qt::NoModifier},          {Qt::Key_F6, Qt::ShiftModifier}};
    const ModalWatcher watcher;
    for (const Key& key : keys) QTest::keyClick(Window(), key.key, key.modifiers);

    // Each key reached the frame as its command, and nothing handled it.
    EXPECT_EQ(m_pFrame->m_commands,
              (std::vector<UINT>{57634, 57634, 57637, 57637, 57635, 57635, 57643, 57643, 57680, 57681}));
    EXPECT_TRUE(view.IsSelected());
    EXPECT_EQ(view.From(), ball);
    EXPECT_EQ(FirstDifference(GrabClient(view), before, before.rect()), "");
    EXPECT_EQ(watcher.Count(), 0);
    EXPECT_NE(m_pApp.m_pMainWnd, nullptr);
}

namespace {

QAction* MenuItem(CMainFrame& frame, const char* menuText, const char* itemText) {
    auto* bar = frame.GetOuterWidget()->findChild<QMenuBar*>();
    for (QAction* menu : bar->actions()) {
        if (menu->text() != QString::fromUtf8(menuText)) continue;
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == QString::fromUtf8(itemText)) return item;
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(AppTest, MenuCommandsReachTheViewAndTheApplication) {
    // "&scores" is the view's: its table shows, wherever the focus is.
    int records = 0;
    WhenModalShown([&](QWidget* dialog) {
        ++records;
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("  РЕКОРДЫ"));
        PressButton(dialog, QString::fromUtf8("закрыть"));
    });
    MenuItem(Frame(), "&Game", "&scores")->trigger();
    EXPECT_EQ(records, 1);

    // "&About" is the application's: the icon and two lines of text.
    int about = 0;
    WhenModalShown([&](QWidget* dialog) {
        ++about;
        int pictures = 0;
        int lines = 0;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) ++pictures;
            if (!label->text().isEmpty()) ++lines;
        }
        EXPECT_EQ(pictures, 1);
        EXPECT_EQ(lines, 2);
        PressButton(dialog, "OK");
    });
    MenuItem(Frame(), "&Help", "&About")->trigger();
    EXPECT_EQ(about, 1);
    EXPECT_TRUE(FrameAlive());
}

TEST_F(AppTest, QuitEndsWithoutAQuestion) {
    const ModalWatcher watcher;
    MenuItem(Frame(), "&Game", "&quit")->trigger();
    EXPECT_FALSE(FrameAlive());
    EXPECT_EQ(watcher.Count(), 0);
}

TEST_F(AppTest, CloseBoxEndsWithoutAQuestion) {
    const ModalWatcher watcher;
    Frame().GetOuterWidget()->close();
    EXPECT_FALSE(FrameAlive());
    EXPECT_EQ(watcher.Count(), 0);
}
