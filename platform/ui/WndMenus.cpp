// A frame's menu bar and accelerator table: each item and each key sends
// WM_COMMAND with its command id to the frame.
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "platform/ui/QtText.h"
#include "platform/ui/WndImpl.h"

namespace ui_detail {

namespace {

void AddItems(QMenu* menu, const std::vector<MenuItemResource>& items, CWnd* target) {
    for (const MenuItemResource& item : items) {
        if (item.IsPopup()) {
            AddItems(menu->addMenu(FromWindows1251(item.text)), item.items, target);
        } else if (item.id == 0 && item.text.empty()) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(FromWindows1251(item.text));
            const UINT commandId = item.id;
            QObject::connect(action, &QAction::triggered, action,
                             [target, commandId] { target->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(commandId), 0), 0); });
        }
    }
}

int QtKeyOf(WORD virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key_A + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9') return Qt::Key_0 + (virtualKey - '0');
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 24) return Qt::Key_F1 + (virtualKey - VK_F1);
    switch (virtualKey) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    default: return 0;
    }
}

QKeySequence SequenceOf(const ACCEL& accel) {
    if ((accel.fVirt & FVIRTKEY) == 0) return QKeySequence(QString(QChar(static_cast<char16_t>(accel.key))));
    const int key = QtKeyOf(accel.key);
    if (key == 0) return QKeySequence();
    Qt::KeyboardModifiers modifiers;
    if ((accel.fVirt & FSHIFT) != 0) modifiers |= Qt::ShiftModifier;
    if ((accel.fVirt & FCONTROL) != 0) modifiers |= Qt::ControlModifier;
    if ((accel.fVirt & FALT) != 0) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

}  // namespace

void WndImpl::SetMenu(const MenuResource& menu) {
    if (!Exists() || kind != WindowKind::frame) return;
    delete menuBar.data();
    auto* bar = new QMenuBar(outer);
    bar->setNativeMenuBar(false);  // in the window, where the frame's sizes count it
    for (const MenuItemResource& popup : menu.popups) {
        if (popup.IsPopup()) {
            AddItems(bar->addMenu(FromWindows1251(popup.text)), popup.items, owner);
        } else {
            QAction* action = bar->addAction(FromWindows1251(popup.text));
            const UINT commandId = popup.id;
            CWnd* target = owner;
            QObject::connect(action, &QAction::triggered, action,
                             [target, commandId] { target->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(commandId), 0), 0); });
        }
    }
    menuBar = bar;
    bar->show();
    LayoutFrame();
}

void WndImpl::SetAccelerators(const std::vector<ACCEL>& table) {
    if (!Exists()) return;
    for (const ACCEL& accel : table) {
        const QKeySequence sequence = SequenceOf(accel);
        if (sequence.isEmpty()) continue;
        CWnd* target = owner;
        const WORD commandId = accel.cmd;
        new QShortcut(sequence, outer, [target, commandId] { target->SendMessage(WM_COMMAND, MAKEWPARAM(commandId, 1), 0); },
                      Qt::WindowShortcut);
    }
}

}  // namespace ui_detail
