// The window's costs: one redraw of the whole view, the pace of a walking
// ball, and, for the program as a whole under an X server, the time from
// start to the first picture and the peak memory, each beside a bare Qt
// window with a menu (this program started with --bare-window).
//
// The redraw and the walk run at the density of this program's screen: run
// it with QT_SCALE_FACTOR=2 for a dense one (their "ratio" counter says
// which).  The start of the program is measured at ratios 1 and 2.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/GameApp.h"
#include "app/MainFrame.h"
#include "gfx/artwork/Artwork.h"
#include "platform/core/Crt.h"
#include "platform/ui/FrameWnd.h"

namespace {

using Clock = std::chrono::steady_clock;

// The game's pictures and an empty records file in a scratch folder.
class RunFolder {
public:
    RunFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmor-bench-view-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return;
        m_path = pattern;
        std::filesystem::create_directory(m_path / "res1");
        std::string failedFile;
        m_bReady = art::WriteArtwork((m_path / "res1").string(), art::BallSet::plain, failedFile);
        std::FILE* records = std::fopen((m_path / "res1" / "stat.txt").c_str(), "wb");
        if (records != nullptr) std::fclose(records);
    }
    ~RunFolder() {
        std::error_code error;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, error);
    }
    const std::filesystem::path& Path() const { return m_path; }
    bool Ready() const { return m_bReady; }

private:
    std::filesystem::path m_path;
    bool m_bReady = false;
};

RunFolder& SharedRunFolder() {
    static RunFolder folder;
    return folder;
}

void WaitUntilExposed(QWidget* window) {
    QElapsedTimer timer;
    timer.start();
    while ((window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::sendPostedEvents();
}

// --- one redraw -------------------------------------------------------------

void BM_DrawAll(benchmark::State& state) {
    if (!SharedRunFolder().Ready()) {
        state.SkipWithError("no pictures");
        return;
    }
    std::filesystem::current_path(SharedRunFolder().Path());
    CGameApp app;
    app.SetFirstSeed(20240601);
    app.InitApplication();
    app.InitInstance();
    CMainFrame* frame = app.GetMainFrame();
    WaitUntilExposed(frame->Widget()->window());
    CBoardView& view = frame->GetView();
    for (auto _ : state) view.DrawAll();
    state.counters["ratio"] = view.Widget()->devicePixelRatioF();
    frame->DestroyWindow();
    app.ExitInstance();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_DrawAll)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// --- the pace of a walk -------------------------------------------------------

// A view that notes when each redraw of a walk is done; its pauses are real.
class CTimedView : public CBoardView {
public:
    void DrawAll() override {
        CBoardView::DrawAll();
        if (m_pSelSprite != nullptr && !m_bSelected) m_walkDraws.push_back(Clock::now());
    }
    void Select(int cell) { OnLButtonDown(0, CPoint(cell % 9 * 40 + 20, cell / 9 * 40 + 70)); }
    int FirstBall() const {
        for (int cell = 0; cell < kCells; ++cell) {
            if (Cell(cell) != 0) return cell;
        }
        return -1;
    }
    // The empty cell farthest along the rows from `from` that the ball can reach.
    int FarCell(int from) {
        for (int cell = kCells - 1; cell >= 0; --cell) {
            if (Cell(cell) != 0 || cell == from) continue;
            m_nFrom = from;
            m_nTo = cell;
            if (CanMove()) return cell;
        }
        return -1;
    }
    std::vector<Clock::time_point> m_walkDraws;
};

void BM_AnimationStepPeriod(benchmark::State& state) {
    if (!SharedRunFolder().Ready()) {
        state.SkipWithError("no pictures");
        return;
    }
    std::filesystem::current_path(SharedRunFolder().Path());
    std::vector<double> periods;
    for (auto _ : state) {
        std::unique_ptr<CTimedView> view;
        {
            const crt::ScopedClock clock(20240601);
            view = std::make_unique<CTimedView>();
        }
        auto* host = new CFrameWnd;
        host->LoadFrame(0, WS_SYSMENU, nullptr, nullptr);  // no menu
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), host, AFX_IDW_PANE_FIRST);
        host->SetWindowPos(nullptr, 0, 0, 364, 414, SWP_NOZORDER);
        host->ShowWindow(SW_SHOW);
        WaitUntilExposed(host->Widget()->window());
        host->UpdateWindow();

        state.counters["ratio"] = view->Widget()->devicePixelRatioF();
        const int from = view->FirstBall();
        const int to = view->FarCell(from);
        view->Select(from);
        view->Select(to);
        const auto& draws = view->m_walkDraws;
        for (std::size_t step = 1; step < draws.size(); ++step) {
            periods.push_back(std::chrono::duration<double, std::milli>(draws[step] - draws[step - 1]).count());
        }
        if (draws.size() >= 2) {
            state.SetIterationTime(std::chrono::duration<double>(draws.back() - draws.front()).count() /
                                   static_cast<double>(draws.size() - 1));
        }
        host->DestroyWindow();
        view.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    if (periods.empty()) {
        state.SkipWithError("no walk");
        return;
    }
    std::sort(periods.begin(), periods.end());
    state.counters["steps"] = static_cast<double>(periods.size());
    state.counters["min_ms"] = periods.front();
    state.counters["median_ms"] = periods[periods.size() / 2];
    state.counters["max_ms"] = periods.back();
}
BENCHMARK(BM_AnimationStepPeriod)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// --- the whole program under an X server ----------------------------------------

// An X server for the children: the one in DISPLAY, else a private Xvfb
// started once and kept running, so that its start-up is not counted.
class XDisplay {
public:
    XDisplay() {
        const char* display = std::getenv("VELMOR_BENCH_DISPLAY");
        if (display != nullptr && *display != '\0') {
            m_name = display;
            return;
        }
        // Xvfb picks a free display and writes its number to stdout.
        m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1600x1200x24", "-nolisten", "tcp"});
        if (!m_server.waitForStarted(3000)) return;
        QByteArray output;
        QElapsedTimer timer;
        timer.start();
        while (!output.contains('\n') && timer.elapsed() < 10000 && m_server.state() == QProcess::Running) {
            m_server.waitForReadyRead(100);
            output += m_server.readAllStandardOutput();
        }
        bool valid = false;
        const int number = output.trimmed().toInt(&valid);
        if (valid) m_name = ":" + std::to_string(number);
    }
    ~XDisplay() {
        if (m_server.state() == QProcess::NotRunning) return;
        m_server.terminate();
        m_server.waitForFinished(3000);
    }
    const std::string& Name() const { return m_name; }

private:
    QProcess m_server;
    std::string m_name;
};

XDisplay& SharedDisplay() {
    static XDisplay display;
    return display;
}

struct ChildRun {
    double firstPaintMs = -1;
    double peakRssMb = -1;
};

// Starts a program in `folder` on the display at a scale factor, waits for
// `marker` on its standard error (its first paint), lets it idle a moment,
// ends it, and reports the time to the marker and its peak resident memory.
ChildRun RunUntilFirstPaint(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& folder, const std::string& marker, const std::string& display,
                            const std::string& scaleFactor) {
    int pipeEnds[2];
    ChildRun run;
    if (pipe(pipeEnds) != 0) return run;
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        if (chdir(folder.c_str()) != 0) _exit(126);
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("QT_QPA_PLATFORM");
        unsetenv("WAYLAND_DISPLAY");
        setenv("VELMOR_TRACE", "1", 1);
        setenv("QT_SCALE_FACTOR", scaleFactor.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        return run;
    }
    std::string seen;
    pollfd reader{pipeEnds[0], POLLIN, 0};
    while (seen.find(marker) == std::string::npos && Clock::now() - start < std::chrono::seconds(10)) {
        if (poll(&reader, 1, 100) <= 0) continue;
        char buffer[512];
        const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        if (count <= 0) break;
        seen.append(buffer, static_cast<std::size_t>(count));
    }
    if (seen.find(marker) != std::string::npos) {
        run.firstPaintMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    QThread::msleep(300);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    close(pipeEnds[0]);
    run.peakRssMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return run;
}

std::string SiblingProgram(const char* name) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / name).string();
}

void MeasureProgram(benchmark::State& state, const std::string& program, const std::vector<std::string>& arguments,
                    const std::string& marker, const std::string& scaleFactor) {
    if (!SharedRunFolder().Ready() || !std::filesystem::exists(program)) {
        state.SkipWithError(("missing " + program).c_str());
        return;
    }
    if (SharedDisplay().Name().empty()) {
        state.SkipWithError("no X server (set VELMOR_BENCH_DISPLAY or install Xvfb)");
        return;
    }
    double peak = 0;
    std::vector<double> times;
    for (auto _ : state) {
        const ChildRun run = RunUntilFirstPaint(program, arguments, SharedRunFolder().Path().string(), marker,
                                                SharedDisplay().Name(), scaleFactor);
        if (run.firstPaintMs < 0) {
            state.SkipWithError("no first paint seen");
            return;
        }
        state.SetIterationTime(run.firstPaintMs / 1000.0);
        times.push_back(run.firstPaintMs);
        peak = std::max(peak, run.peakRssMb);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_first_paint_ms"] = times[times.size() / 2];
    state.counters["peak_rss_MB"] = peak;
}

void BM_StartToFirstPaint_Game(benchmark::State& state) {
    MeasureProgram(state, SiblingProgram("velmor"), {"--seed", "20240601"}, "view: painted",
                   std::to_string(state.range(0)));
}
BENCHMARK(BM_StartToFirstPaint_Game)
    ->ArgName("ratio")
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);

void BM_StartToFirstPaint_BareQtWindow(benchmark::State& state) {
    MeasureProgram(state, SiblingProgram("bench_view"), {"--bare-window"}, "bare: painted",
                   std::to_string(state.range(0)));
}
BENCHMARK(BM_StartToFirstPaint_BareQtWindow)
    ->ArgName("ratio")
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);

// The yardstick: a plain Qt main window of the game's size with a menu,
// which says so on stderr after its first paint.
class BareArea : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        if (!m_bPainted) {
            m_bPainted = true;
            std::fputs("bare: painted\n", stderr);
            std::fflush(stderr);
        }
    }

private:
    bool m_bPainted = false;
};

int RunBareWindow(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    QMenu* game = window.menuBar()->addMenu("&Game");
    for (const char* item : {"&new game", "&remake move", "&scores", "&quit"}) game->addAction(item);
    window.menuBar()->addMenu("&Help")->addAction("&About");
    window.setCentralWidget(new BareArea);
    window.setFixedSize(364, 414 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--bare-window") return RunBareWindow(argc, argv);
    // The redraws are measured in an offscreen window, whatever the display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
