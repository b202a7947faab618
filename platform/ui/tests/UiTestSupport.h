// Shared pieces of the window layer's tests: waiting on the event loop and
// reading back what is on the screen.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <QtTest/QTest>
#include <functional>

#include "platform/ui/Wnd.h"

namespace ui_test {

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 2000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) return false;
        QTest::qWait(5);
    }
    return true;
}

// The client area of a window as the screen shows it.
inline QImage GrabClient(const CWnd& wnd) {
    QWidget* client = wnd.GetClientWidget();
    QWidget* top = client->window();
    const QPoint origin = client->mapTo(top, QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(top->winId(), origin.x(), origin.y(), client->width(), client->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Gets rid of the widgets of destroyed windows.
inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace ui_test
