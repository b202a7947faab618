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

// Windows-1251 bytes to Qt's text and back (a character outside the code
// page becomes '?'), through the one converter.
inline QString FromWindows1251(std::string_view bytes) { return QString::fromStdString(Cp1251ToUtf8(bytes)); }
inline std::string ToWindows1251(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

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

// Qt sends a Wayland window's new frames only when its event loop next
// runs, so frames painted inside a handler that pauses between them would
// reach the compositor all together at the end.  This writes them out now.
// It only sends what is already queued for the server: it reads nothing
// and dispatches nothing, so no input and no message can run from here.
// On X, and where Qt's Wayland platform is absent, it does nothing.
void FlushDisplay();

}  // namespace ui_detail

// Resources by id; null when none is registered.  Found pointers stay valid
// until the same id is registered again.
const MenuResource* FindMenuResource(UINT id);
const AcceleratorResource* FindAcceleratorResource(UINT id);
const std::string* FindStringResource(UINT id);
const DialogTemplate* FindDialogResource(UINT id);
const IconResource* FindIconResource(UINT id);

class CWinApp;
class CWnd;
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Ends the message loop once control returns to it.
void AfxPostQuitMessage(int nExitCode);
