// Hands the frames painted so far to the display server at once.
#include "platform/ui/QtBridge.h"

#include <qpa/qplatformnativeinterface.h>
#include <QByteArray>
#include <QGuiApplication>

#include <dlfcn.h>

namespace ui_detail {

namespace {

using WlDisplayFlush = int (*)(void* display);

// The Wayland library's flush, found in the copy that Qt's Wayland platform
// has already loaded; the program itself never links it.
WlDisplayFlush WaylandFlush() {
    static const WlDisplayFlush flush = []() -> WlDisplayFlush {
        void* library = dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_NOLOAD);
        return library == nullptr ? nullptr : reinterpret_cast<WlDisplayFlush>(dlsym(library, "wl_display_flush"));
    }();
    return flush;
}

}  // namespace

void FlushDisplay() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    void* display = native == nullptr ? nullptr : native->nativeResourceForIntegration(QByteArrayLiteral("wl_display"));
    if (display == nullptr) return;
    const WlDisplayFlush flush = WaylandFlush();
    if (flush != nullptr) flush(display);
}

}  // namespace ui_detail
