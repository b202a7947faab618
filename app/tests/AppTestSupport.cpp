#include "app/tests/AppTestSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProcess>

void AppTest::SetUp() {
    m_pFolder = std::make_unique<ScratchRunFolder>();
    ASSERT_TRUE(m_pFolder->Ready());
    m_pApp = std::make_unique<CGameApp>();
    m_pApp->SetFirstSeed(kTestSeed);
    ASSERT_TRUE(m_pApp->InitApplication());
    ASSERT_TRUE(m_pApp->InitInstance());
    ASSERT_NE(m_pApp->GetMainFrame(), nullptr);
    ASSERT_TRUE(WaitUntilShown(Frame()));
}

void AppTest::TearDown() {
    if (m_pApp != nullptr) {
        if (m_pApp->m_pMainWnd != nullptr) m_pApp->m_pMainWnd->DestroyWindow();
        m_pApp->ExitInstance();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ForgetQuitRequest();
    m_pApp.reset();
    m_pFolder.reset();
}

ProgramRun RunProgram(const QStringList& arguments, const QProcessEnvironment& environment, const std::string& folder,
                      int timeoutMilliseconds) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.start(QStringLiteral(VELMOR_PROGRAM), arguments);
    ProgramRun run;
    if (!process.waitForFinished(timeoutMilliseconds)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput().toStdString();
    run.errors = process.readAllStandardError().toStdString();
    return run;
}

QProcessEnvironment EnvironmentWithoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    return environment;
}

QImage ViewPartOf(const QImage& window) {
    return window.copy(2, window.height() - 2 - 410, 360, 410);
}

const std::vector<QRect>& TextBoxes() {
    // "счет:" and the score below it; the caption left of the previews.
    static const std::vector<QRect> boxes = {QRect(280, 10, 80, 38), QRect(10, 15, 110, 18)};
    return boxes;
}

std::string GoldenPath() {
    return std::string(VELMOR_GOLDEN_DIR) + "/start-seed-" + std::to_string(kTestSeed) + ".png";
}

std::string CompareWithGolden(const QImage& view) {
    const QImage golden = QImage(QString::fromStdString(GoldenPath())).convertToFormat(QImage::Format_RGB32);
    if (golden.isNull()) return "no stored picture " + GoldenPath();
    if (view.size() != golden.size()) return "the view is not 360 x 410";
    for (int y = 0; y < golden.height(); ++y) {
        for (int x = 0; x < golden.width(); ++x) {
            bool inText = false;
            for (const QRect& box : TextBoxes()) inText = inText || box.contains(x, y);
            if (inText || (view.pixel(x, y) & 0xFFFFFF) == (golden.pixel(x, y) & 0xFFFFFF)) continue;
            char text[96];
            std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, stored %06X", x, y, view.pixel(x, y) & 0xFFFFFF,
                          golden.pixel(x, y) & 0xFFFFFF);
            return text;
        }
    }
    for (const QRect& box : TextBoxes()) {
        bool ink = false;
        for (int y = box.top(); y <= box.bottom() && !ink; ++y) {
            for (int x = box.left(); x <= box.right() && !ink; ++x) ink = qGray(view.pixel(x, y)) < 160;
        }
        if (!ink) return "no text in the box at (" + std::to_string(box.x()) + ", " + std::to_string(box.y()) + ")";
    }
    return {};
}
