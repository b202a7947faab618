#include "app/tests/AppTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QStandardPaths>
#include <cstdio>
#include <map>

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
        if (!HasInk(view, box)) return "no text in the box at x " + std::to_string(box.x());
        QPainter(&golden).drawImage(box.topLeft(), view, box);
    }
    return FirstDifference(view, golden, golden.rect());
}

bool BoardReader::LoadLooks() {
    for (int colour = 0; colour <= 6; ++colour) {
        for (int frame = 0; frame < 2; ++frame) {
            QImage& board = m_boards[colour][frame] = LoadPicture("res1/pole.bmp");
            const QImage look = colour > 0 ? BallLook(colour, frame) : QImage();
            if (board.isNull() || (colour > 0 && look.isNull())) return false;
            QPainter painter(&board);
            for (int cell = 0; cell < CBoardGame::kCells && colour > 0; ++cell)
                painter.drawImage(cell % 9 * 40, cell / 9 * 40, look);
        }
    }
    return true;
}

BoardReading BoardReader::Read(const QImage& view) const {
    BoardReading reading;
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        int& colour = reading.colours[static_cast<std::size_t>(cell)] = -1;
        const QPoint onBoard = CellArea(cell).topLeft() - QPoint(0, CBoardGame::kBoardTop);
        for (int ball = 0; ball <= 6 && colour < 0; ++ball) {
            for (int frame = 0; frame < 2 && colour < 0; ++frame) {
                if (!FirstDifference(view, m_boards[ball][frame], CellArea(cell), onBoard).empty()) continue;
                colour = ball;
                if (frame == 1) reading.selected = cell;
            }
        }
    }
    return reading;
}

WalkSeen WalkTheLongestWay(const BoardReader& reader, const FrameSource& view, const std::function<void(QPoint)>& click,
                           const BoardReading& start, const char* where) {
    WalkSeen seen;
    for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
        if (start.colours[static_cast<std::size_t>(cell)] <= 0) continue;
        const auto [farthest, distance] = FarthestCell(start.colours, cell);
        if (distance > seen.steps) std::tie(seen.from, seen.to, seen.steps) = std::tie(cell, farthest, distance);
    }
    if (seen.steps == 0) return seen;
    click(CellCentre(seen.from));
    seen.selected = WaitFor([&] { return reader.Read(view(100).picture).selected == seen.from; });
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
        const ShownFrame frame = view(100);
        const BoardReading reading = reader.Read(frame.picture);
        const qint64 now = frame.shownAt;
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
    for (const char* tool : {"xdotool", "xprop"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return std::string(tool) + " is not installed (scripts/test.sh installs it)";
    }
    return {};
}

std::optional<QByteArray> RunTool(const QString& program, const QStringList& arguments,
                                  const QProcessEnvironment& environment) {
    QProcess process;  // killed with the object when it does not end
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}
