#include "platform/ui/WinApi.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinHandles.h"

namespace {

std::map<std::string, WNDCLASSA>& ClassTable() {
    static std::map<std::string, WNDCLASSA> table = [] {
        std::map<std::string, WNDCLASSA> initial;
        HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
        initial[ui_detail::kDefaultWndClass] = WNDCLASSA{CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, arrow, nullptr, nullptr};
        initial[ui_detail::kDialogClass] =
            WNDCLASSA{CS_DBLCLKS | CS_SAVEBITS, arrow, SysColorBrushValue(COLOR_BTNFACE), nullptr};
        return initial;
    }();
    return table;
}

std::uintptr_t HandleBits(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

// The desktop's classic colours, for indices Qt's palette has no role for
// and for use before the application object exists.
COLORREF ClassicColour(int index) {
    switch (index) {
    case COLOR_WINDOW:
    case COLOR_BTNHIGHLIGHT:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_INFOBK:
        return RGB(255, 255, 255);
    case COLOR_MENU:
    case COLOR_BTNFACE:
    case COLOR_SCROLLBAR:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER:
    case COLOR_3DLIGHT:
        return RGB(212, 208, 200);
    case COLOR_APPWORKSPACE:
    case COLOR_BTNSHADOW:
    case COLOR_GRAYTEXT:
        return RGB(128, 128, 128);
    case COLOR_BACKGROUND:
        return RGB(58, 110, 165);
    case COLOR_ACTIVECAPTION:
    case COLOR_HIGHLIGHT:
        return RGB(10, 36, 106);
    case COLOR_INACTIVECAPTION:
        return RGB(128, 128, 128);
    case COLOR_CAPTIONTEXT:
        return RGB(255, 255, 255);
    case COLOR_INACTIVECAPTIONTEXT:
        return RGB(212, 208, 200);
    default:
        return RGB(0, 0, 0);
    }
}

}  // namespace

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%jx:%jx:%jx", nClassStyle, static_cast<std::uintmax_t>(HandleBits(hCursor)),
                  static_cast<std::uintmax_t>(HandleBits(hbrBackground)), static_cast<std::uintmax_t>(HandleBits(hIcon)));
    auto [entry, inserted] = ClassTable().try_emplace(name, WNDCLASSA{nClassStyle, hCursor, hbrBackground, hIcon});
    static_cast<void>(inserted);
    return entry->first.c_str();
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR lpszClassName, WNDCLASSA* pClass) {
    if (lpszClassName == nullptr || IS_INTRESOURCE(lpszClassName)) return FALSE;
    const auto found = ClassTable().find(lpszClassName);
    if (found == ClassTable().end()) return FALSE;
    if (pClass != nullptr) *pClass = found->second;
    return TRUE;
}

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpszCursorName) {
    static HCURSOR__ arrow{Qt::ArrowCursor}, ibeam{Qt::IBeamCursor}, wait{Qt::WaitCursor}, cross{Qt::CrossCursor};
    if (hInstance != nullptr || !IS_INTRESOURCE(lpszCursorName)) return nullptr;
    if (lpszCursorName == IDC_ARROW) return &arrow;
    if (lpszCursorName == IDC_IBEAM) return &ibeam;
    if (lpszCursorName == IDC_WAIT) return &wait;
    if (lpszCursorName == IDC_CROSS) return &cross;
    return nullptr;
}

HICON LoadIconA(HINSTANCE, LPCSTR lpszIconName) {
    static std::map<UINT, std::unique_ptr<HICON__>> handles;
    if (!IS_INTRESOURCE(lpszIconName)) return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(lpszIconName));
    if (FindIconResource(id) == nullptr) return nullptr;
    auto& handle = handles[id];
    if (!handle) handle = std::make_unique<HICON__>(HICON__{id});
    return handle.get();
}

UINT IconResourceId(HICON hIcon) { return hIcon == nullptr ? 0 : hIcon->id; }

DWORD GetSysColor(int nIndex) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return ClassicColour(nIndex);
    const QPalette palette = QApplication::palette();
    const auto role = [&](QPalette::ColorRole which) { return ui_detail::RefFromColour(palette.color(which)); };
    switch (nIndex) {
    case COLOR_WINDOW: return role(QPalette::Base);
    case COLOR_WINDOWTEXT: return role(QPalette::Text);
    case COLOR_MENU: return role(QPalette::Window);
    case COLOR_MENUTEXT: return role(QPalette::WindowText);
    case COLOR_BTNFACE: return role(QPalette::Button);
    case COLOR_BTNTEXT: return role(QPalette::ButtonText);
    case COLOR_BTNSHADOW: return role(QPalette::Dark);
    case COLOR_BTNHIGHLIGHT: return role(QPalette::Light);
    case COLOR_3DDKSHADOW: return role(QPalette::Shadow);
    case COLOR_3DLIGHT: return role(QPalette::Midlight);
    case COLOR_HIGHLIGHT: return role(QPalette::Highlight);
    case COLOR_HIGHLIGHTTEXT: return role(QPalette::HighlightedText);
    case COLOR_INFOBK: return role(QPalette::ToolTipBase);
    case COLOR_INFOTEXT: return role(QPalette::ToolTipText);
    case COLOR_GRAYTEXT: return ui_detail::RefFromColour(palette.color(QPalette::Disabled, QPalette::Text));
    default: return ClassicColour(nIndex);
    }
}

void Sleep(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }

int MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(nNumber) * nNumerator;
    const std::int64_t half = (nDenominator < 0 ? -nDenominator : nDenominator) / 2;
    const bool negative = (product < 0) != (nDenominator < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) /
                                   (nDenominator < 0 ? -static_cast<std::int64_t>(nDenominator) : nDenominator);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN) return -1;
    return static_cast<int>(result);
}

namespace ui_detail {

WNDCLASSA FindWindowClass(LPCSTR className) {
    WNDCLASSA found;
    if (GetClassInfoA(nullptr, className, &found)) return found;
    GetClassInfoA(nullptr, kDefaultWndClass, &found);
    return found;
}

std::optional<QColor> BrushColour(HBRUSH brush) {
    const std::uintptr_t value = HandleBits(brush);
    if (value == 0 || value > COLOR_INFOBK + 1) return std::nullopt;
    return ColourFromRef(GetSysColor(static_cast<int>(value) - 1));
}

QColor ColourFromRef(COLORREF colour) { return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

COLORREF RefFromColour(const QColor& colour) {
    return RGB(static_cast<BYTE>(colour.red()), static_cast<BYTE>(colour.green()), static_cast<BYTE>(colour.blue()));
}

QIcon IconFromHandle(HICON icon) {
    const IconResource* resource = FindIconResource(IconResourceId(icon));
    QIcon result;
    if (resource == nullptr) return result;
    for (const IconImage& image : resource->images) {
        const auto expected = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
        if (image.width <= 0 || image.height <= 0 || image.rgba.size() != expected) continue;
        const QImage pixels(image.rgba.data(), image.width, image.height, image.width * 4, QImage::Format_RGBA8888);
        result.addPixmap(QPixmap::fromImage(pixels.copy()));
    }
    return result;
}

}  // namespace ui_detail
