#include "platform/ui/WinApi.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <chrono>
#include <map>
#include <string>
#include <thread>

#include "platform/ui/QtBridge.h"
#include "platform/ui/UiResources.h"

// The arrow is the only cursor; an icon is its resource id.
struct HCURSOR__ {};
struct HICON__ {
    UINT id;
};

namespace {

std::map<std::string, ui_detail::WindowClass>& Classes() {
    static std::map<std::string, ui_detail::WindowClass> classes;
    return classes;
}

// Resources of one kind by id.
template <class Value>
std::map<UINT, Value>& Table() {
    static std::map<UINT, Value> table;
    return table;
}

template <class Value>
const Value* Find(UINT id) {
    const auto found = Table<Value>().find(id);
    return found == Table<Value>().end() ? nullptr : &found->second;
}

}  // namespace

void RegisterMenuResource(UINT id, MenuResource menu) { Table<MenuResource>()[id] = std::move(menu); }
void RegisterAcceleratorResource(UINT id, AcceleratorResource keys) {
    Table<AcceleratorResource>()[id] = std::move(keys);
}
void RegisterStringResource(UINT id, std::string text) { Table<std::string>()[id] = std::move(text); }
void RegisterDialogResource(UINT id, DialogTemplate dialog) { Table<DialogTemplate>()[id] = std::move(dialog); }
void RegisterIconResource(UINT id, IconResource icon) { Table<IconResource>()[id] = std::move(icon); }

const MenuResource* FindMenuResource(UINT id) { return Find<MenuResource>(id); }
const AcceleratorResource* FindAcceleratorResource(UINT id) { return Find<AcceleratorResource>(id); }
const std::string* FindStringResource(UINT id) { return Find<std::string>(id); }
const DialogTemplate* FindDialogResource(UINT id) { return Find<DialogTemplate>(id); }
const IconResource* FindIconResource(UINT id) { return Find<IconResource>(id); }

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR, HBRUSH hbrBackground, HICON hIcon) {
    const auto brush = static_cast<int>(reinterpret_cast<std::intptr_t>(hbrBackground));
    const std::string name = "Afx:" + std::to_string(nClassStyle) + ":" + std::to_string(brush) + ":" +
                             std::to_string(hIcon == nullptr ? 0 : hIcon->id);
    ui_detail::WindowClass windowClass{nClassStyle, Qt::ArrowCursor, std::nullopt, hIcon};
    if (brush > 0) windowClass.background = ui_detail::ColourOf(GetSysColor(brush - 1));
    return Classes().try_emplace(name, windowClass).first->first.c_str();
}

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpszCursorName) {
    static HCURSOR__ arrow;
    return hInstance == nullptr && lpszCursorName == IDC_ARROW ? &arrow : nullptr;
}

HICON LoadIconA(HINSTANCE, LPCSTR lpszIconName) {
    static std::map<UINT, HICON__> handles;
    const auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(lpszIconName));
    if (FindIconResource(id) == nullptr) return nullptr;
    return &handles.try_emplace(id, HICON__{id}).first->second;
}

DWORD GetSysColor(int nIndex) {
    const QPalette palette = QApplication::palette();
    QColor colour(Qt::black);
    if (nIndex == COLOR_WINDOW) colour = palette.color(QPalette::Base);
    if (nIndex == COLOR_MENU) colour = palette.color(QPalette::Window);
    if (nIndex == COLOR_BTNFACE) colour = palette.color(QPalette::Button);
    return RGB(static_cast<BYTE>(colour.red()), static_cast<BYTE>(colour.green()), static_cast<BYTE>(colour.blue()));
}

void Sleep(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }

namespace ui_detail {

WindowClass FindWindowClass(LPCSTR className, bool dialog) {
    if (className != nullptr) {
        const auto found = Classes().find(className);
        if (found != Classes().end()) return found->second;
    }
    // The framework's own classes: a dialog's paints erase to the button
    // face; other windows ask for double clicks and are not erased.
    WindowClass fallback{CS_DBLCLKS | (dialog ? 0 : CS_HREDRAW | CS_VREDRAW), Qt::ArrowCursor, std::nullopt, nullptr};
    if (dialog) fallback.background = ColourOf(GetSysColor(COLOR_BTNFACE));
    return fallback;
}

QIcon IconOf(HICON icon) {
    QIcon result;
    if (icon == nullptr) return result;
    const IconResource* resource = FindIconResource(icon->id);
    if (resource == nullptr) return result;
    for (const IconImage& image : *resource) {
        const auto expected = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4;
        if (image.width <= 0 || image.height <= 0 || image.rgba.size() != expected) continue;
        const QImage pixels(image.rgba.data(), image.width, image.height, image.width * 4, QImage::Format_RGBA8888);
        result.addPixmap(QPixmap::fromImage(pixels.copy()));
    }
    return result;
}

}  // namespace ui_detail
