// What the window tests share.  The library brings main(): offscreen unless
// told otherwise (CTest gives each a private runtime folder), one application object.
#pragma once

#include <QImage>
#include <QString>
#include <QTimer>
#include <functional>
#include <string>

#include "platform/ui/Wnd.h"
#include "tests/support/Files.h"

// Runs the event loop until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000);
// Waits until the window system shows the window, so that grabs see it.
bool WaitUntilShown(const CWnd& window);
// The client area of a window as the screen shows it.
QImage GrabClient(const CWnd& window);
// The first pixel where two images differ inside `area` of `actual` by more than `tolerance` in a colour channel, as
// text; empty when they agree.
std::string FirstDifference(const QImage& actual, const QImage& expected, const QRect& area,
                            const QPoint& expectedOrigin = QPoint(), int tolerance = 0);
bool IsFilledWith(const QImage& image, const QRect& area, QRgb colour);
bool HasInk(const QImage& image, const QRect& area);  // a dark pixel inside
QRgb SystemColour(int index);  // GetSysColor as Qt's colour

void ClickClient(const CWnd& window, QPoint point, bool doubleClick = false);
void TypeText(QWidget* widget, const QString& text);

void FlushDeletes();
// For tests that destroy a main window outside a main loop: its request to quit would end every modal loop at once.
void ForgetQuitRequest();

// Runs `action` inside the next modal dialog's loop once it is shown and active; fails the test when none comes.
void WhenModalShown(std::function<void(QWidget*)> action, int attemptsLeft = 500);
void PressButton(QWidget* dialog, const QString& text);
// The text of the push button that has the keyboard focus, or empty.
std::string FocusedButtonText();

// While it lives, every modal dialog shown is counted and cancelled, so a dialog that should not come cannot hang.
class ModalWatcher {
public:
    ModalWatcher();
    int Count() const { return m_count; }

private:
    int m_count = 0;
    QTimer m_timer;
};
