// The program's resources as plain data, the way a resource script states
// them: menus, accelerator tables, string tables, dialog templates, icons
// and the version record.  Texts are Windows-1251 bytes.  The rc namespace
// has one helper per script statement, so that a template reads like one:
//
//   rc::Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 166, 63, "",
//              9, "Arial",
//              {rc::DefPushButton("OK", IDOK, 54, 42, 50, 14),
//               rc::EditText(1001, 7, 26, 141, 14, ES_AUTOHSCROLL), ...})
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/ui/WinDefs.h"

// A menu item, or a popup when it has items of its own.
struct MenuItemResource {
    std::string text;  // "&" marks the mnemonic; "\t" starts the shortcut text
    UINT id = 0;
    std::vector<MenuItemResource> items;

    bool IsPopup() const { return !items.empty(); }
};
struct MenuResource {
    std::vector<MenuItemResource> popups;  // the menu bar, left to right
};

// One accelerator: with FVIRTKEY, key is a virtual key (VK_ or 'A'..'Z',
// '0'..'9') and FSHIFT/FCONTROL/FALT add modifiers; without, a character.
struct ACCEL {
    BYTE fVirt = 0;
    WORD key = 0;
    WORD cmd = 0;
};

enum class DialogControlKind { pushButton, edit, staticText, icon };

struct DialogItemTemplate {
    DialogControlKind kind = DialogControlKind::staticText;
    std::string text;  // caption, static text
    UINT id = IDC_STATIC;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    DWORD style = 0;  // WS_, BS_, ES_, SS_ bits
    DWORD exStyle = 0;
    UINT iconId = 0;  // for an icon control
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::string caption;
    WORD pointSize = 8;  // with DS_SETFONT
    std::string typeFace = "MS Sans Serif";
    std::vector<DialogItemTemplate> items;  // template order is tab order
};

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<BYTE> rgba;  // width * height pixels, top row first, R G B A
};
struct IconResource {
    std::vector<IconImage> images;  // one per size
};

struct VersionRecord {
    WORD fileVersion[4] = {};
    WORD productVersion[4] = {};
    std::vector<std::pair<std::string, std::string>> strings;  // "FileDescription", ... in order
    WORD language = 0x0409;
    WORD codePage = 0x04B0;
};

namespace rc {

inline MenuItemResource MenuItem(std::string text, UINT id) { return {std::move(text), id, {}}; }
inline MenuItemResource Popup(std::string text, std::vector<MenuItemResource> items) {
    return {std::move(text), 0, std::move(items)};
}

inline DialogTemplate Dialog(DWORD style, short x, short y, short cx, short cy, std::string caption,
                             WORD pointSize, std::string typeFace, std::vector<DialogItemTemplate> items) {
    DialogTemplate dialog;
    dialog.style = style;
    dialog.x = x;
    dialog.y = y;
    dialog.cx = cx;
    dialog.cy = cy;
    dialog.caption = std::move(caption);
    dialog.pointSize = pointSize;
    dialog.typeFace = std::move(typeFace);
    dialog.items = std::move(items);
    return dialog;
}

inline DialogItemTemplate Control(DialogControlKind kind, std::string text, UINT id, short x, short y,
                                  short cx, short cy, DWORD style, DWORD exStyle = 0) {
    DialogItemTemplate item;
    item.kind = kind;
    item.text = std::move(text);
    item.id = id;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.style = WS_CHILD | WS_VISIBLE | style;
    item.exStyle = exStyle;
    return item;
}
inline DialogItemTemplate DefPushButton(std::string text, UINT id, short x, short y, short cx, short cy,
                                        DWORD style = 0) {
    return Control(DialogControlKind::pushButton, std::move(text), id, x, y, cx, cy,
                   BS_DEFPUSHBUTTON | WS_TABSTOP | style);
}
inline DialogItemTemplate PushButton(std::string text, UINT id, short x, short y, short cx, short cy,
                                     DWORD style = 0) {
    return Control(DialogControlKind::pushButton, std::move(text), id, x, y, cx, cy,
                   BS_PUSHBUTTON | WS_TABSTOP | style);
}
inline DialogItemTemplate EditText(UINT id, short x, short y, short cx, short cy, DWORD style = 0) {
    return Control(DialogControlKind::edit, "", id, x, y, cx, cy, ES_LEFT | WS_BORDER | WS_TABSTOP | style);
}
inline DialogItemTemplate LText(std::string text, UINT id, short x, short y, short cx, short cy,
                                DWORD style = 0) {
    return Control(DialogControlKind::staticText, std::move(text), id, x, y, cx, cy, SS_LEFT | WS_GROUP | style);
}
inline DialogItemTemplate Icon(UINT iconId, UINT id, short x, short y, short cx = 0, short cy = 0) {
    DialogItemTemplate item = Control(DialogControlKind::icon, "", id, x, y, cx, cy, SS_ICON);
    item.iconId = iconId;
    return item;
}

}  // namespace rc
