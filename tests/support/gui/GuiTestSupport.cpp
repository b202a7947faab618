#include "tests/support/gui/GuiTestSupport.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/ui/WinApi.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) return false;
        QTest::qWait(5);
    }
    return true;
}

bool WaitUntilShown(const CWnd& window) {
    return window.Widget() != nullptr && QTest::qWaitForWindowExposed(window.Widget()->window());
}

QImage GrabClient(const CWnd& window) {
    QWidget* client = window.Widget();
    const QPoint origin = client->mapTo(client->window(), QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(client->window()->winId(), origin.x(), origin.y(), client->width(), client->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

namespace {

int LargestChannelDifference(QRgb one, QRgb two) {
    return std::max(
        {std::abs(qRed(one) - qRed(two)), std::abs(qGreen(one) - qGreen(two)), std::abs(qBlue(one) - qBlue(two))});
}

}  // namespace

std::string FirstDifference(const QImage& actual, const QImage& expected, const QRect& area,
                            const QPoint& expectedOrigin, int tolerance) {
    if (!actual.rect().contains(area) || !expected.rect().contains(area.translated(expectedOrigin - area.topLeft())))
        return "the area lies outside a picture";
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb got = actual.pixel(x, y) & 0xFFFFFF;
            const QRgb want = expected.pixel(QPoint(x, y) - area.topLeft() + expectedOrigin) & 0xFFFFFF;
            if (LargestChannelDifference(got, want) <= tolerance) continue;
            char text[96];
            std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, expected %06X", x, y, got, want);
            return text;
        }
    }
    return {};
}

bool IsFilledWith(const QImage& image, const QRect& area, QRgb colour) {
    QImage filled(image.size(), QImage::Format_RGB32);
    filled.fill(colour);
    return FirstDifference(image, filled, area, area.topLeft()).empty();
}

bool HasInk(const QImage& image, const QRect& area) {
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 110) return true;
        }
    }
    return false;
}

QRgb SystemColour(int index) {
    const COLORREF colour = GetSysColor(index);
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

void ClickClient(const CWnd& window, QPoint point, bool doubleClick) {
    QWidget* client = window.Widget();
    using Press = void (*)(QWindow*, Qt::MouseButton, Qt::KeyboardModifiers, QPoint, int);
    const Press press = doubleClick ? Press(&QTest::mouseDClick) : Press(&QTest::mouseClick);
    press(client->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, client->mapTo(client->window(), point), -1);
}

void TypeText(QWidget* widget, const QString& text) {
    // Key codes exist only for ASCII; other characters travel as text alone.
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

void ForgetQuitRequest() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

void WhenModalShown(std::function<void(QWidget*)> action, int attemptsLeft) {
    QTimer::singleShot(10, qApp, [action = std::move(action), attemptsLeft]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        // Activation may lag behind the show by a few events.
        if (modal != nullptr && modal->isVisible() && (QApplication::activeWindow() == modal || attemptsLeft < 450)) {
            action(modal);
        } else if (attemptsLeft == 0) {
            ADD_FAILURE() << "no modal dialog was shown";
        } else {
            WhenModalShown(std::move(action), attemptsLeft - 1);
        }
    });
}

void PressButton(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() != text) continue;
        QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
}

std::string FocusedButtonText() {
    const auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    return button == nullptr ? std::string() : button->text().toStdString();
}

ModalWatcher::ModalWatcher() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        ++m_count;
        dialog->reject();
    });
    m_timer.start(10);
}
