#include "app/tests/AppTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>
#include <map>

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
    FlushDeletes();
    ForgetQuitRequest();
    m_pApp.reset();
    m_pFolder.reset();
}

ProgramRun RunProcess(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                      const std::string& folder) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(20000)) {
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
    for (const char* name : kDisplayVariables) environment.remove(name);
    return environment;
}

QImage ViewPartOf(const QImage& window) { return window.copy(2, window.height() - 2 - 410, 360, 410); }

std::string GoldenPath() {
    return std::string(VELMOR_GOLDEN_DIR) + "/start-seed-" + std::to_string(kTestSeed) + ".png";
}

std::string CompareWithGolden(const QImage& view) {
    QImage golden = QImage(QString::fromStdString(GoldenPath())).convertToFormat(QImage::Format_RGB32);
    if (golden.isNull()) return "no stored picture " + GoldenPath();
    if (view.size() != golden.size()) return "the view is not 360 x 410";
    // "счет:" and the score below it; the caption left of the previews.
    const QRect textBoxes[] = {QRect(280, 10, 80, 38), QRect(10, 15, 110, 18)};
    for (const QRect& box : textBoxes) {
        bool ink = false;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                ink = ink || qGray(view.pixel(x, y)) < 160;
                golden.setPixel(x, y, view.pixel(x, y));
            }
        }
        if (!ink) return "no text in the box at (" + std::to_string(box.x()) + ", " + std::to_string(box.y()) + ")";
    }
    return FirstDifference(view, golden, golden.rect());
}

bool BoardReader::LoadLooks() {
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

WalkSeen WalkTheLongestWay(const BoardReader& reader, const std::function<QImage()>& view,
                           const std::function<void(QPoint)>& click, const BoardReading& start, const char* where) {
    WalkSeen seen;
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        if (start.colours[static_cast<std::size_t>(cell)] <= 0) continue;
        const auto [farthest, distance] = FarthestCell(start.colours, cell);
        if (distance > seen.steps) std::tie(seen.from, seen.to, seen.steps) = std::tie(cell, farthest, distance);
    }
    if (seen.steps == 0) return seen;
    click(CellCentre(seen.from));
    seen.selected = WaitFor([&] { return reader.Read(view()).selected == seen.from; });
    if (!seen.selected) return seen;
    click(CellCentre(seen.to));
    const int colour = start.colours[static_cast<std::size_t>(seen.from)];
    std::map<qint64, int> firstShown;  // time -> cell
    const auto shown = [&](qint64 now, int cell) {
        if (firstShown.empty() || firstShown.rbegin()->second != cell) firstShown.emplace(now, cell);
    };
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        const BoardReading reading = reader.Read(view());
        const qint64 now = timer.elapsed();
        if (!reading.Readable()) continue;
        if (reading.colours[static_cast<std::size_t>(seen.from)] == 0 && reading.Balls() == 3) {
            for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
                const auto index = static_cast<std::size_t>(cell);
                if (reading.colours[index] != colour || start.colours[index] != 0) continue;
                if (cell != seen.to) seen.between.insert(cell);
                shown(now, cell);
            }
        }
        seen.end = reading;
        if (reading.colours[static_cast<std::size_t>(seen.to)] == colour && reading.Balls() == 6 &&
            reading.selected < 0) {
            shown(now, seen.to);
            break;
        }
    }
    for (auto it = firstShown.begin(); it != firstShown.end() && std::next(it) != firstShown.end(); ++it)
        seen.longestGap = std::max(seen.longestGap, std::next(it)->first - it->first);
    std::printf("walk on %s: %zu of %d steps on the way seen, longest gap %lld ms\n", where, seen.between.size(),
                seen.steps - 1, static_cast<long long>(seen.longestGap));
    return seen;
}

void StartGame(QProcess& game, QProcessEnvironment environment) {
    WriteWholeFile("lsan.supp", "leak:libdbus-1.so\n");
    environment.insert("LSAN_OPTIONS", QDir::current().filePath("lsan.supp").prepend("suppressions="));
    game.setProcessEnvironment(environment);
    game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    game.start(QStringLiteral(VELMOR_PROGRAM), {"--seed", QString::number(kTestSeed)});
}

void StopProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) process.kill();
    process.waitForFinished(3000);
}

std::string MissingXTools() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return "not on X: the real-window tests run under xvfb-run with QT_QPA_PLATFORM=xcb";
    for (const char* tool : {"xdotool", "xwd", "xprop"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return std::string(tool) + " is not installed (scripts/test.sh installs it)";
    }
    return {};
}

std::optional<QByteArray> RunTool(const QString& program, const QStringList& arguments,
                                  const QProcessEnvironment& environment) {
    const ProgramRun run = RunProcess(program, arguments, environment);
    if (run.exitCode != 0) return std::nullopt;
    return QByteArray::fromStdString(run.output);
}
