#include "app/tests/AppTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <map>

#include "tools/headless/GreedyPlayer.h"
#include "view/tests/BoardViewTestSupport.h"

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

bool BoardReader::Load() {
    m_board = LoadPicture("res1/pole.bmp");
    for (int colour = 1; colour <= 6; ++colour) {
        for (int frame = 0; frame < 2; ++frame) {
            m_looks[colour][frame] = BallLook(colour, frame);
            if (m_looks[colour][frame].isNull()) return false;
        }
    }
    return !m_board.isNull();
}

BoardReading BoardReader::Read(const QImage& view) const {
    BoardReading reading;
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        int& colour = reading.colours[static_cast<std::size_t>(cell)];
        colour = view.size() == QSize(360, 410) && Shows(view, cell, nullptr) ? 0 : -1;
        for (int ball = 1; ball <= 6 && colour < 0; ++ball) {
            for (int frame = 0; frame < 2 && colour < 0; ++frame) {
                if (!Shows(view, cell, &m_looks[ball][frame])) continue;
                colour = ball;
                if (frame == 1) reading.selected = cell;
            }
        }
    }
    return reading;
}

bool BoardReader::Shows(const QImage& view, int cell, const QImage* look) const {
    const int left = cell % 9 * 40;
    const int top = cell / 9 * 40;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const QRgb ball = look == nullptr ? 0 : look->pixel(x, y);
            const QRgb expected = qAlpha(ball) != 0 ? ball : m_board.pixel(left + x, top + y);
            if ((view.pixel(left + x, top + 50 + y) & 0xFFFFFF) != (expected & 0xFFFFFF)) return false;
        }
    }
    return true;
}

std::pair<int, int> FarthestCell(const Board& colours, int from) {
    const auto distance = CGreedyPlayer::Distances(colours, from);
    const auto farthest = std::max_element(distance.begin(), distance.end());
    return {static_cast<int>(farthest - distance.begin()), *farthest};
}

WalkSeen WatchWalk(const BoardReader& reader, const std::function<QImage()>& view, const BoardReading& start, int from,
                   int to) {
    const int colour = start.colours[static_cast<std::size_t>(from)];
    WalkSeen seen;
    std::map<qint64, int> firstShown;  // time -> cell
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        const BoardReading reading = reader.Read(view());
        const qint64 now = timer.elapsed();
        if (!reading.Readable()) continue;
        if (reading.colours[static_cast<std::size_t>(from)] == 0 && reading.Balls() == 3) {
            for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
                const auto index = static_cast<std::size_t>(cell);
                if (reading.colours[index] != colour || start.colours[index] != 0) continue;
                if (cell != to) seen.between.insert(cell);
                if (firstShown.empty() || firstShown.rbegin()->second != cell) firstShown.emplace(now, cell);
            }
        }
        seen.end = reading;
        if (reading.colours[static_cast<std::size_t>(to)] == colour && reading.Balls() == 6 && reading.selected < 0) {
            if (firstShown.empty() || firstShown.rbegin()->second != to) firstShown.emplace(now, to);
            break;
        }
    }
    for (auto it = firstShown.begin(); it != firstShown.end() && std::next(it) != firstShown.end(); ++it)
        seen.longestGap = std::max(seen.longestGap, std::next(it)->first - it->first);
    return seen;
}
