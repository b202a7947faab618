// The window system's free functions the program calls: window classes,
// the arrow cursor, icons, system colours, pauses.
#pragma once

#include "platform/ui/WinDefs.h"

// Registers (once) a class with these properties and returns its name,
// which stays valid for the program's life.  The brush is a system colour
// index + 1 (SysColorBrushValue) or null: then a paint erases nothing.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
// The system's arrow (IDC_ARROW, no module); null for anything else.
HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpszCursorName);
// An icon of the resources, named by MAKEINTRESOURCEA(id); null when absent.
HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpszIconName);
// The desktop's colour for COLOR_WINDOW, COLOR_MENU or COLOR_BTNFACE, as
// 0x00BBGGRR; black for any other index.
DWORD GetSysColor(int nIndex);
// Blocks the thread; no message is handled meanwhile.
void Sleep(DWORD dwMilliseconds);
