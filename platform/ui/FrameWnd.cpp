#include "platform/ui/FrameWnd.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "platform/ui/WinApi.h"
#include "platform/ui/WinApp.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
END_MESSAGE_MAP()

// The top-level widget of a frame: the menu bar above the client area.
class FrameWidget : public QWidget {
public:
    explicit FrameWidget(CFrameWnd* frame) : m_pFrame(frame) { setFocusPolicy(Qt::StrongFocus); }

    CFrameWnd* m_pFrame;  // null once the window is destroyed

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();  // the frame's window goes with DestroyWindow
        if (m_pFrame != nullptr) m_pFrame->DestroyWindow();
    }
    void focusInEvent(QFocusEvent* event) override {
        QWidget::focusInEvent(event);
        if (m_pFrame != nullptr) m_pFrame->SendMessage(WM_SETFOCUS);
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (m_pFrame != nullptr) m_pFrame->RecalcLayout();
    }
};

namespace {

int QtKeyOf(WORD virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 12) return Qt::Key_F1 + (virtualKey - VK_F1);
    if (virtualKey == VK_BACK) return Qt::Key_Backspace;
    if (virtualKey == VK_INSERT) return Qt::Key_Insert;
    if (virtualKey == VK_DELETE) return Qt::Key_Delete;
    return 0;
}

QKeySequence SequenceOf(const ACCEL& accel) {
    const int key = QtKeyOf(accel.key);
    if ((accel.fVirt & FVIRTKEY) == 0 || key == 0) return QKeySequence();
    Qt::KeyboardModifiers modifiers;
    if ((accel.fVirt & FSHIFT) != 0) modifiers |= Qt::ShiftModifier;
    if ((accel.fVirt & FCONTROL) != 0) modifiers |= Qt::ControlModifier;
    if ((accel.fVirt & FALT) != 0) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

}  // namespace

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext) {
    m_nIDResource = nIDResource;
    const std::string* title = FindStringResource(nIDResource);
    const std::string name = title == nullptr ? std::string() : title->substr(0, title->find('\n'));
    CREATESTRUCT cs{
        .lpCreateParams = pContext, .pParent = pParentWnd, .style = dwDefaultStyle, .lpszName = name.c_str()};
    return CreateWindowFrom(cs);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW),
                                           SysColorBrushValue(COLOR_WINDOW));
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

QWidget* CFrameWnd::MakeOuter(const CREATESTRUCT& cs, QWidget* client) {
    auto* frame = new FrameWidget(this);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((cs.style & WS_SYSMENU) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    frame->setWindowFlags(flags);
    client->setParent(frame);
    frame->resize(400, 300);  // until the program places it
    // The menu is there before WM_CREATE, so that the frame's sizes count
    // its bar from then on.
    const MenuResource* menu = FindMenuResource(m_nIDResource);
    if (menu != nullptr) {
        m_pMenuBar = new QMenuBar(frame);
        m_pMenuBar->setNativeMenuBar(false);  // in the window, where the frame's sizes count it
        for (const MenuItemResource& popup : *menu)
            AddMenuItems(m_pMenuBar->addMenu(ui_detail::FromWindows1251(popup.text)), popup.items);
    }
    const AcceleratorResource* table = FindAcceleratorResource(m_nIDResource);
    if (table != nullptr) {
        for (const ACCEL& accel : *table) {
            const QKeySequence sequence = SequenceOf(accel);
            if (!sequence.isEmpty())
                new QShortcut(
                    sequence, frame, [this, id = accel.cmd] { SendCommand(id, 1); }, Qt::WindowShortcut);
        }
    }
    return frame;
}

void CFrameWnd::AddMenuItems(QMenu* menu, const std::vector<MenuItemResource>& items) {
    for (const MenuItemResource& item : items) {
        if (!item.items.empty()) {
            AddMenuItems(menu->addMenu(ui_detail::FromWindows1251(item.text)), item.items);
            continue;
        }
        QAction* action = menu->addAction(ui_detail::FromWindows1251(item.text));
        QObject::connect(action, &QAction::triggered, action, [this, id = item.id] { SendCommand(id, 0); });
    }
}

void CFrameWnd::RecalcLayout() {
    if (m_pOuter == nullptr) return;
    const int width = m_pOuter->width();
    int menuHeight = 0;
    if (m_pMenuBar != nullptr) {
        menuHeight = m_pMenuBar->heightForWidth(width);
        if (menuHeight <= 0) menuHeight = m_pMenuBar->sizeHint().height();
        m_pMenuBar->setGeometry(0, 0, width, menuHeight);
    }
    m_pClient->setGeometry(0, menuHeight, width, std::max(0, m_pOuter->height() - menuHeight));
    ResizeSurface();
    for (CWnd* child : m_children) {
        if (child->m_nID == AFX_IDW_PANE_FIRST)
            child->SetWindowPos(nullptr, 0, 0, m_pClient->width(), m_pClient->height(), SWP_NOZORDER);
    }
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::DestroyWindow() {
    auto* frame = dynamic_cast<FrameWidget*>(m_pOuter.data());
    if (frame != nullptr) frame->m_pFrame = nullptr;
    return CWnd::DestroyWindow();
}
