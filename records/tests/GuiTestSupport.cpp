#include "records/tests/GuiTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <gtest/gtest.h>

#include "platform/ui/Wnd.h"

bool WaitUntilShown(const CWnd& window) {
    QWidget* widget = window.GetOuterWidget();
    return widget != nullptr && QTest::qWaitForWindowExposed(widget->window());
}

std::string FirstDifference(const QImage& actual, const QImage& expected, const QRect& area,
                            const QPoint& expectedOrigin) {
    if (!actual.rect().contains(area)) return "the area lies outside the picture";
    if (!expected.rect().contains(area.translated(expectedOrigin - area.topLeft()))) {
        return "the area lies outside the expected picture";
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QPoint other = QPoint(x, y) - area.topLeft() + expectedOrigin;
            const QRgb got = actual.pixel(x, y) & 0xFFFFFF;
            const QRgb want = expected.pixel(other) & 0xFFFFFF;
            if (got != want) {
                char text[128];
                std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, expected %06X", x, y, got, want);
                return text;
            }
        }
    }
    return {};
}

bool IsFilledWith(const QImage& image, const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) return false;
        }
    }
    return true;
}

namespace {

QWindow* WindowOf(const CWnd& window, QPoint& point) {
    QWidget* client = window.GetClientWidget();
    QWidget* top = client->window();
    point = client->mapTo(top, point);
    return top->windowHandle();
}

}  // namespace

void ClickClient(const CWnd& window, QPoint point) {
    QWindow* target = WindowOf(window, point);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point);
}

void DoubleClickClient(const CWnd& window, QPoint point) {
    QWindow* target = WindowOf(window, point);
    QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, point);
}

void ForgetQuitRequest() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

void TypeText(QWidget* widget, const QString& text) {
    // Key codes exist only for ASCII; other characters travel as text alone.
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
}

namespace {

void PollForModal(std::function<void(QWidget*)> action, int attemptsLeft) {
    QTimer::singleShot(10, qApp, [action = std::move(action), attemptsLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        const bool shown = modal != nullptr && modal->isVisible();
        // Activation may lag behind the show by a few events.
        if (shown && (QApplication::activeWindow() == modal || attemptsLeft < 450)) {
            action(modal);
            return;
        }
        if (attemptsLeft == 0) {
            ADD_FAILURE() << "no modal dialog was shown";
            return;
        }
        PollForModal(std::move(action), attemptsLeft - 1);
    });
}

}  // namespace

void WhenModalShown(std::function<void(QWidget*)> action) {
    PollForModal(std::move(action), 500);
}

ModalWatcher::ModalWatcher() : m_pTimer(new QTimer(qApp)) {
    m_pTimer->setInterval(10);
    QObject::connect(m_pTimer, &QTimer::timeout, m_pTimer, [count = m_pCount] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        ++*count;
        dialog->reject();
    });
    m_pTimer->start();
}

ModalWatcher::~ModalWatcher() {
    delete m_pTimer;
}

std::string FocusedButtonText() {
    const auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    return button == nullptr ? std::string() : button->text().toStdString();
}

void PressButton(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
}
