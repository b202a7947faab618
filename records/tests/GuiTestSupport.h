// Helpers of the window tests (records dialogs, the view, the application):
// what the screen shows, real mouse and keyboard input, and driving modal
// dialogs from inside their loops.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/ui/tests/UiTestSupport.h"

class CWnd;
class QTimer;
class QWidget;

// Waits until the window system shows the window (offscreen too), so that
// grabs see it.
bool WaitUntilShown(const CWnd& window);

// What the screen shows of the window's client area.
using ui_test::GrabClient;

// The first pixel where two images differ inside `area` (of `actual`;
// `expectedOrigin` is where the area starts in `expected`), as text; empty
// when they agree there.
std::string FirstDifference(const QImage& actual, const QImage& expected, const QRect& area,
                            const QPoint& expectedOrigin = QPoint());
// True when every pixel of the area has this colour.
bool IsFilledWith(const QImage& image, const QRect& area, QRgb colour);

// Real mouse input on a window's client area, at client coordinates.
void ClickClient(const CWnd& window, QPoint point);
void DoubleClickClient(const CWnd& window, QPoint point);

// A window that ends the program (the main window) asks the event loop to
// quit; until a main loop has run, every modal loop would end at once.
// Tests that destroy a main window outside a main loop call this after.
void ForgetQuitRequest();

// Types the text into the widget, key by key, any characters.
void TypeText(QWidget* widget, const QString& text);

// Runs `action` on the next modal dialog as soon as it is shown and active,
// from inside its modal loop.  After about five seconds without one, the
// test fails.
void WhenModalShown(std::function<void(QWidget*)> action);

// Watches for modal dialogs while it lives: each one shown is counted and
// cancelled at once, so that a dialog that should not appear cannot hang a test.
class ModalWatcher {
public:
    ModalWatcher();
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    int Count() const { return *m_pCount; }

private:
    std::shared_ptr<int> m_pCount = std::make_shared<int>(0);
    QTimer* m_pTimer;
};

// The text of the push button that has the keyboard focus, empty when the
// focus is elsewhere.
std::string FocusedButtonText();
// Clicks the dialog's push button with this text.
void PressButton(QWidget* dialog, const QString& text);
