#include "app/tests/AppTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>

#include <poll.h>
#include <xcb/damage.h>

QProcessEnvironment EnvironmentWithoutDisplay() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : kDisplayVariables) environment.remove(name);
    return environment;
}

QImage ViewPartOf(const QImage& window, double scale) {
    const int edge = qRound(2 * scale);
    const QSize size(qRound(360 * scale), qRound(410 * scale));
    return window.copy(edge, window.height() - edge - size.height(), size.width(), size.height());
}

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
            QImage& board = m_boards[colour][frame];
            board = LoadPicture("res1/pole.bmp");
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
        int& colour = reading.colours[static_cast<std::size_t>(cell)];
        colour = -1;
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
        if (distance <= seen.steps) continue;
        seen.from = cell;
        seen.to = farthest;
        seen.steps = distance;
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

void StartGame(QProcess& game, QProcessEnvironment environment, const QString& program) {
    WriteWholeFile("lsan.supp", "leak:libdbus-1.so\n");
    environment.insert("LSAN_OPTIONS", QDir::current().filePath("lsan.supp").prepend("suppressions="));
    game.setProcessEnvironment(environment);
    game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    game.start(program, {"--seed", QString::number(kTestSeed)});
}

ShownFrame ShownFrames::Next(int milliseconds) {
    const auto taken = [this] {
        Receive();
        const std::lock_guard lock(m_mutex);
        return !m_frames.empty();
    };
    if (!WaitFor(taken, milliseconds)) return m_last;
    const std::lock_guard lock(m_mutex);
    m_last = std::move(m_frames.front());
    m_frames.pop_front();
    return m_last;
}

ShownFrame ShownFrames::Newest(int milliseconds) {
    Next(milliseconds);
    const std::lock_guard lock(m_mutex);
    if (!m_frames.empty()) m_last = std::move(m_frames.back());
    m_frames.clear();
    return m_last;
}

void ShownFrames::Add(ShownFrame frame) {
    const std::lock_guard lock(m_mutex);
    m_frames.push_back(std::move(frame));
}

// A window's picture after each change, taken on a thread and a connection of the test's own: the X server tells of
// each change at once (a DAMAGE event), and the thread, asleep until then, reads the window back at once, however
// long the test takes to look at the pictures.
class WindowFrames : public ShownFrames {
public:
    WindowFrames(xcb_window_t window, QSize size) : m_connection(xcb_connect(nullptr, nullptr)) {
        const xcb_query_extension_reply_t* extension = xcb_get_extension_data(m_connection, &xcb_damage_id);
        if (extension == nullptr || extension->present == 0) return;
        std::free(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));
        m_damage = xcb_generate_id(m_connection);
        // The window as it is comes as a first change.
        xcb_damage_create(m_connection, m_damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        const auto changeEvent = static_cast<uint8_t>(extension->first_event + XCB_DAMAGE_NOTIFY);
        m_thread = std::jthread([this, window, size, changeEvent](const std::stop_token& stop) {
            while (!stop.stop_requested()) {
                const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_poll_for_event(m_connection),
                                                                                       &std::free);
                if (event == nullptr) {
                    WaitForEvent();
                } else if ((event->response_type & 0x7F) == changeEvent) {
                    Take(window, size, reinterpret_cast<const xcb_damage_notify_event_t*>(event.get())->timestamp);
                }
            }
        });
    }
    ~WindowFrames() override {
        m_thread = {};  // stopped and joined
        xcb_disconnect(m_connection);
    }

    bool Ready() const { return m_damage != 0; }

private:
    void WaitForEvent() {
        xcb_flush(m_connection);
        pollfd connection{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&connection, 1, 50);  // a while, to see a request to stop
    }

    // Reads the window back and marks the damage repaired, so that the next change is told again.
    void Take(xcb_window_t window, QSize size, qint64 changedAt) {
        xcb_damage_subtract(m_connection, m_damage, XCB_NONE, XCB_NONE);
        const auto request = xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                           static_cast<uint16_t>(size.width()), static_cast<uint16_t>(size.height()),
                                           ~0u);
        const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
            xcb_get_image_reply(m_connection, request, nullptr), &std::free);
        if (image == nullptr) return;
        const QImage picture(xcb_get_image_data(image.get()), size.width(), size.height(), QImage::Format_RGB32);
        Add({picture.copy(), changedAt});
    }

    xcb_connection_t* m_connection;
    xcb_damage_damage_t m_damage = 0;
    std::jthread m_thread;
};

GameOnX::GameOnX(QProcessEnvironment environment, const QString& program)
    : m_scale(environment.value("QT_SCALE_FACTOR", "1").toDouble()) {
    environment.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
    StartGame(m_game, environment, program);
}

GameOnX::~GameOnX() { StopProcess(m_game); }

std::string GameOnX::FindWindow() {
    const auto shown = [this] {
        const auto list = RunTool("xdotool", {"search", "--onlyvisible", "--name", QString::fromUtf8("шарики")});
        m_window = list.value_or("").split('\n').first().trimmed().toULong();
        return m_window != 0;
    };
    if (!WaitFor(shown)) return "the game's window did not show";
    const auto shell = RunTool("xdotool", {"getwindowgeometry", "--shell", Id()});
    std::map<QByteArray, int> values;
    for (const QByteArray& line : shell.value_or("").split('\n')) {
        const QList<QByteArray> parts = line.split('=');
        if (parts.size() == 2) values[parts[0]] = parts[1].toInt();
    }
    m_geometry = QRect(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]);
    m_frames = std::make_unique<WindowFrames>(static_cast<xcb_window_t>(m_window), m_geometry.size());
    if (!m_frames->Ready()) return "the X server has no DAMAGE extension";
    return {};
}

ShownFrame GameOnX::NextView(int milliseconds) const {
    ShownFrame frame = m_frames->Next(milliseconds);
    frame.picture = ViewPartOf(frame.picture, m_scale);
    return frame;
}

QImage GameOnX::ViewOnScreen() const { return ViewPartOf(m_frames->Newest(0).picture, m_scale); }

void GameOnX::Click(QPoint point) const {
    RunTool("xdotool", {"mousemove", "--window", Id(), QString::number(2 + point.x()),
                        QString::number(m_geometry.height() - 412 + point.y()), "click", "1"});
}

void GameOnX::Type(const QStringList& keys) { RunTool("xdotool", QStringList{"key", "--delay", "20"} + keys); }

void RealWindowTest::SetUp() {
    const std::string missing = MissingXTools();
    if (!missing.empty()) GTEST_SKIP() << missing;
    ASSERT_TRUE(m_folder.Ready());
    ASSERT_TRUE(m_reader.LoadLooks());
    QProcessEnvironment environment = EnvironmentWithoutDisplay();
    if (!ScaleFactor().isEmpty()) environment.insert("QT_SCALE_FACTOR", ScaleFactor());
    m_game = std::make_unique<GameOnX>(environment);
    ASSERT_EQ(m_game->FindWindow(), "");
}

std::string RealWindowTest::WaitForView(const std::function<std::string(const QImage&)>& difference) {
    std::string found;
    const auto agrees = [&] {
        m_view = m_game->ViewOnScreen();
        found = difference(m_view);
        return found.empty();
    };
    WaitFor(agrees);
    return found;
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
