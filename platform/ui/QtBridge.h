// What the window layer's classes share among themselves: texts, colours,
// window classes, icons, resources, the application.  For platform/ui's own
// files only.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/Cp1251.h"
#include "platform/ui/UiResources.h"

namespace ui_detail {

// Windows-1251 bytes to Qt's text; the whole code page lies in the first
// 64K of Unicode.
inline QString FromWindows1251(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) text.append(QChar(static_cast<char16_t>(Cp1251ToUnicode(byte))));
    return text;
}

// And back; a character outside the code page becomes '?'.
inline std::string ToWindows1251(const QString& text) {
    std::string bytes;
    for (const uint code : text.toUcs4()) bytes.push_back(Cp1251FromUnicode(static_cast<char32_t>(code)));
    return bytes;
}

inline QColor ColourOf(COLORREF colour) { return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

// A class registered by AfxRegisterWndClass.
struct WindowClass {
    UINT style = 0;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    std::optional<QColor> background;  // none: a paint does not erase
    HICON icon = nullptr;
};
// The class of that name; with no name, the class a window of that kind
// gets by default.
WindowClass FindWindowClass(LPCSTR className, bool dialog);

QIcon IconOf(HICON icon);

}  // namespace ui_detail

// Resources by id; null when none is registered.  Found pointers stay valid
// until the same id is registered again.
const MenuResource* FindMenuResource(UINT id);
const std::vector<ACCEL>* FindAcceleratorResource(UINT id);
const std::string* FindStringResource(UINT id);
const DialogTemplate* FindDialogResource(UINT id);
const IconResource* FindIconResource(UINT id);

class CWinApp;
class CWnd;
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Ends the message loop once control returns to it.
void AfxPostQuitMessage(int nExitCode);
