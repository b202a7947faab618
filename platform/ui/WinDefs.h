// The window system's vocabulary that this program is written with: handle
// types, message numbers, style bits, colour indices, command ids.  Values
// are the classic ones, so that numbers given for styles, commands and
// messages mean what they always meant.
#pragma once

#include <cstdint>

#include "platform/core/Dialogs.h"  // IDOK, IDCANCEL, MB_OK
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

using LPCSTR = const char*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;

// Opaque handles.  A brush handle may also carry a system colour index + 1
// (COLOR_WINDOW + 1), as window classes have always allowed.
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
struct HICON__;
using HICON = HICON__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;

// A resource named by number rather than by text.
inline LPCSTR MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id)); }
inline HBRUSH SysColorBrushValue(int colorIndex) {
    return reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(colorIndex + 1));
}
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCEA(32512);

constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}
// Mouse positions travel in lParam as two signed 16-bit numbers.
constexpr LPARAM MAKELPARAM(int x, int y) {
    return static_cast<LPARAM>(static_cast<DWORD>(static_cast<WORD>(x)) |
                               (static_cast<DWORD>(static_cast<WORD>(y)) << 16));
}
constexpr int GET_X_LPARAM(LPARAM value) { return static_cast<std::int16_t>(value & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM value) { return static_cast<std::int16_t>((value >> 16) & 0xFFFF); }

// --- window, class and dialog styles ---
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr DWORD DS_SETFONT = 0x40;
inline constexpr DWORD DS_MODALFRAME = 0x80;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x01;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD SS_NOPREFIX = 0x0080;

// --- messages ---
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CANCELMODE = 0x001F;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT MK_LBUTTON = 0x0001;

// --- showing and placing ---
inline constexpr int SW_SHOW = 5;
inline constexpr UINT SWP_NOZORDER = 0x0004;

// --- system colours ---
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_BTNFACE = 15;

// --- fonts ---
inline constexpr int FW_NORMAL = 400;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FF_SWISS = 0x20;

// --- accelerators and keys ---
inline constexpr BYTE FVIRTKEY = 0x01;
inline constexpr BYTE FSHIFT = 0x04;
inline constexpr BYTE FCONTROL = 0x08;
inline constexpr BYTE FALT = 0x10;
inline constexpr WORD VK_BACK = 0x08;
inline constexpr WORD VK_RETURN = 0x0D;
inline constexpr WORD VK_ESCAPE = 0x1B;
inline constexpr WORD VK_SPACE = 0x20;
inline constexpr WORD VK_LEFT = 0x25;
inline constexpr WORD VK_UP = 0x26;
inline constexpr WORD VK_RIGHT = 0x27;
inline constexpr WORD VK_DOWN = 0x28;
inline constexpr WORD VK_INSERT = 0x2D;
inline constexpr WORD VK_DELETE = 0x2E;
inline constexpr WORD VK_F1 = 0x70;

// --- command, string and control ids ---
inline constexpr UINT ID_APP_ABOUT = 0xE140;
inline constexpr UINT ID_APP_EXIT = 0xE141;
inline constexpr WORD ID_EDIT_COPY = 0xE122;
inline constexpr WORD ID_EDIT_CUT = 0xE123;
inline constexpr WORD ID_EDIT_PASTE = 0xE125;
inline constexpr WORD ID_EDIT_UNDO = 0xE12B;
inline constexpr WORD ID_NEXT_PANE = 0xE150;
inline constexpr WORD ID_PREV_PANE = 0xE151;
inline constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
inline constexpr UINT IDC_STATIC = 0xFFFF;

// What CreateEx hands to PreCreateWindow and to WM_CREATE.
struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    UINT nID = 0;  // a child's id
    class CWnd* pParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    DWORD style = 0;
    LPCSTR lpszName = nullptr;
    LPCSTR lpszClass = nullptr;
    DWORD dwExStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;
