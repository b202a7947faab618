// The program's resources as plain data, the way a resource script states
// them, and where the application registers them before it creates windows.
// Texts are Windows-1251 bytes.  The rc namespace has one helper per script
// statement, so that a template reads like one:
//
//   rc::Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 166, 63, "", 9, "Arial",
//              {rc::DefPushButton("OK", IDOK, 54, 42, 50, 14), rc::EditText(IDC_NAME, 7, 26, 141, 14)})
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/WinDefs.h"

// A menu item, or a popup when it has items of its own.
struct MenuItemResource {
    std::string text;  // "&" marks the mnemonic
    UINT id = 0;
    std::vector<MenuItemResource> items;
};
using MenuResource = std::vector<MenuItemResource>;  // the popups of the bar, left to right

// One accelerator: key is a virtual key (VK_ or 'A'..'Z') and FSHIFT,
// FCONTROL, FALT add modifiers.
struct ACCEL {
    BYTE fVirt = 0;
    WORD key = 0;
    WORD cmd = 0;
};

enum class DialogControlKind { pushButton, edit, staticText, icon };

struct DialogItemTemplate {
    DialogControlKind kind = DialogControlKind::staticText;
    std::string text;
    UINT id = IDC_STATIC;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    DWORD style = 0;  // WS_, BS_, ES_, SS_ bits
    UINT iconId = 0;  // for an icon
};

// Sizes in dialog units of the template's font.
struct DialogTemplate {
    DWORD style = 0;
    short cx = 0;
    short cy = 0;
    std::string caption;
    WORD pointSize = 8;
    std::string typeFace;
    std::vector<DialogItemTemplate> items;  // template order is tab order
};

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<BYTE> rgba;  // width * height pixels, top row first, R G B A
};
using IconResource = std::vector<IconImage>;  // one image per size
using AcceleratorResource = std::vector<ACCEL>;

// A registration replaces an earlier one of the same id.
void RegisterMenuResource(UINT id, MenuResource menu);
void RegisterAcceleratorResource(UINT id, AcceleratorResource keys);
void RegisterStringResource(UINT id, std::string text);
void RegisterDialogResource(UINT id, DialogTemplate dialog);
void RegisterIconResource(UINT id, IconResource icon);

namespace rc {

inline MenuItemResource MenuItem(std::string text, UINT id) { return {std::move(text), id, {}}; }
inline MenuItemResource Popup(std::string text, std::vector<MenuItemResource> items) {
    return {std::move(text), 0, std::move(items)};
}

inline DialogTemplate Dialog(DWORD style, short cx, short cy, std::string caption, WORD pointSize, std::string typeFace,
                             std::vector<DialogItemTemplate> items) {
    return {style, cx, cy, std::move(caption), pointSize, std::move(typeFace), std::move(items)};
}

inline DialogItemTemplate Control(DialogControlKind kind, std::string text, UINT id, short x, short y, short cx,
                                  short cy, DWORD style) {
    return {kind, std::move(text), id, x, y, cx, cy, WS_CHILD | WS_VISIBLE | style, 0};
}
inline DialogItemTemplate DefPushButton(std::string text, UINT id, short x, short y, short cx, short cy,
                                        DWORD style = 0) {
    return Control(DialogControlKind::pushButton, std::move(text), id, x, y, cx, cy,
                   BS_DEFPUSHBUTTON | WS_TABSTOP | style);
}
inline DialogItemTemplate EditText(UINT id, short x, short y, short cx, short cy, DWORD style = 0) {
    return Control(DialogControlKind::edit, "", id, x, y, cx, cy, WS_BORDER | WS_TABSTOP | style);
}
inline DialogItemTemplate LText(std::string text, UINT id, short x, short y, short cx, short cy, DWORD style = 0) {
    return Control(DialogControlKind::staticText, std::move(text), id, x, y, cx, cy, WS_GROUP | style);
}
inline DialogItemTemplate Icon(UINT iconId, UINT id, short x, short y, short cx, short cy) {
    DialogItemTemplate item = Control(DialogControlKind::icon, "", id, x, y, cx, cy, 0);
    item.iconId = iconId;
    return item;
}

}  // namespace rc
