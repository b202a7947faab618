// What the opaque handles of the window layer stand for, and the pieces of
// the window system that the Qt side looks up through them.
#pragma once

#include <QColor>
#include <QCursor>
#include <QIcon>
#include <optional>

#include "platform/ui/WinApi.h"

struct HCURSOR__ {
    Qt::CursorShape shape;
};

struct HICON__ {
    UINT id;
};

namespace ui_detail {

// The class of that name; the framework's default window class when the
// name is null or unknown.
WNDCLASSA FindWindowClass(LPCSTR className);
// The colour a class background brush paints with; none for a null brush.
std::optional<QColor> BrushColour(HBRUSH brush);
QColor ColourFromRef(COLORREF colour);
COLORREF RefFromColour(const QColor& colour);
QIcon IconFromHandle(HICON icon);

// The names of the classes the framework registers for itself.
inline constexpr const char* kDefaultWndClass = "AfxWnd";
inline constexpr const char* kDialogClass = "#32770";

}  // namespace ui_detail
