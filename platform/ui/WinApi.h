// The window system's free functions: window classes, cursors, icons,
// system colours, pauses.
#pragma once

#include <string>

#include "platform/ui/WinDefs.h"

// A registered window class.
struct WNDCLASSA {
    UINT style = 0;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;
    HICON hIcon = nullptr;
};

// Registers (once) a class with these properties and returns its name,
// which stays valid for the program's life.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                           HICON hIcon = nullptr);
BOOL GetClassInfoA(HINSTANCE hInstance, LPCSTR lpszClassName, WNDCLASSA* pClass);

// A system cursor (IDC_ARROW ...) with no module; null for anything else.
HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpszCursorName);
// An icon of the resources, named by MAKEINTRESOURCEA(id); null when absent.
HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpszIconName);
// The resource id behind an icon handle (0 for null).
UINT IconResourceId(HICON hIcon);

// The desktop's colour for a COLOR_ index, as 0x00BBGGRR.
DWORD GetSysColor(int nIndex);

// Blocks the thread; no message is handled meanwhile.
void Sleep(DWORD dwMilliseconds);

// number * numerator / denominator, rounded half away from zero; -1 when
// the denominator is 0.
int MulDiv(int nNumber, int nNumerator, int nDenominator);
