// The game's real window under X, driven by real input (xdotool) and read
// back from the server: place, icon, start picture, clicks, walk, quitting.
#include <QPainter>
#include <QProcess>
#include <QThread>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include <poll.h>
#include <xcb/damage.h>

#include "app/tests/AppTestSupport.h"

namespace {

// A window's picture after each change, taken on a thread and a connection of the test's own: the X server tells of
// each change at once (a DAMAGE event), and the thread, asleep until then, reads the window back at once, however
// long the test takes to look at the pictures.
class WindowFrames {
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
    ~WindowFrames() {
        m_thread = {};  // stopped and joined
        xcb_disconnect(m_connection);
    }

    bool Ready() const { return m_damage != 0; }

    // The picture after the next change, in the order shown; the last one again when none comes in time.
    ShownFrame Next(int milliseconds) {
        std::unique_lock lock(m_mutex);
        if (m_taken.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return !m_frames.empty(); })) {
            m_last = std::move(m_frames.front());
            m_frames.pop_front();
        }
        return m_last;
    }
    // The newest picture: those shown before it are passed over.
    ShownFrame Newest(int milliseconds) {
        Next(milliseconds);
        std::lock_guard lock(m_mutex);
        if (!m_frames.empty()) m_last = std::move(m_frames.back());
        m_frames.clear();
        return m_last;
    }

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
        std::lock_guard lock(m_mutex);
        m_frames.push_back({picture.copy(), changedAt});
        m_taken.notify_one();
    }

    xcb_connection_t* m_connection;
    xcb_damage_damage_t m_damage = 0;
    std::mutex m_mutex;
    std::condition_variable m_taken;
    std::deque<ShownFrame> m_frames;  // taken and not yet looked at, in the order shown
    ShownFrame m_last;
    std::jthread m_thread;
};

class RealWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string missing = MissingXTools();
        if (!missing.empty()) GTEST_SKIP() << missing;
        ASSERT_TRUE(m_folder.Ready());
        ASSERT_TRUE(m_reader.LoadLooks());
        QProcessEnvironment environment = EnvironmentWithoutDisplay();
        environment.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
        if (!ScaleFactor().isEmpty()) environment.insert("QT_SCALE_FACTOR", ScaleFactor());
        StartGame(m_game, environment);
        ASSERT_TRUE(WaitFor([this] {
            const auto found = RunTool("xdotool", {"search", "--onlyvisible", "--name", QString::fromUtf8("шарики")});
            return (m_window = found.value_or("").split('\n').first().trimmed().toULong()) != 0;
        })) << "the game's window did not show";
        const auto shell = RunTool("xdotool", {"getwindowgeometry", "--shell", QString::number(m_window)});
        std::map<QByteArray, int> values;
        for (const QByteArray& line : shell.value_or("").split('\n'))
            if (const auto parts = line.split('='); parts.size() == 2) values[parts[0]] = parts[1].toInt();
        m_geometry = QRect(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]);
        m_frames = std::make_unique<WindowFrames>(static_cast<xcb_window_t>(m_window), m_geometry.size());
        ASSERT_TRUE(m_frames->Ready()) << "the X server has no DAMAGE extension";
    }
    void TearDown() override { StopProcess(m_game); }
    virtual QString ScaleFactor() const { return {}; }

    ShownFrame ViewFrame(int milliseconds) const {
        ShownFrame frame = m_frames->Next(milliseconds);
        frame.picture = ViewPartOf(frame.picture);
        return frame;
    }
    QImage ViewOnScreen() const { return ViewPartOf(m_frames->Newest(0).picture); }
    // Real button presses at a view point, through the X server.
    void Click(QPoint point, int presses = 1) const {
        RunTool("xdotool", {"mousemove", "--window", QString::number(m_window), QString::number(2 + point.x()),
                            QString::number(m_geometry.height() - 412 + point.y()), "click", "--repeat",
                            QString::number(presses), "--delay", "40", "1"});
    }

    ScratchRunFolder m_folder;
    BoardReader m_reader;
    QProcess m_game;
    unsigned long m_window = 0;
    QRect m_geometry;
    std::unique_ptr<WindowFrames> m_frames;
};

}  // namespace

TEST_F(RealWindowTest, StartPictureClicksWalkAndDoubleClickOnTheRealWindow) {
    EXPECT_EQ(m_geometry.topLeft(), QPoint(100, 100));
    EXPECT_EQ(m_geometry.width(), 364);
    // The icon, drawn on a thread of its own while the program starts, is on the window in both sizes.
    const QByteArray icon = RunTool("xprop", {"-id", QString::number(m_window), "_NET_WM_ICON"}).value_or("");
    EXPECT_TRUE(icon.contains("Icon (32 x 32)") && icon.contains("Icon (16 x 16)")) << icon.left(80).toStdString();
    QImage view;
    EXPECT_TRUE(WaitFor([&] { return CompareWithGolden(view = ViewOnScreen()).empty(); }, 2000))
        << CompareWithGolden(view);
    const BoardReading start = m_reader.Read(view);
    ASSERT_TRUE(start.Readable());
    ASSERT_EQ(start.Balls(), 3);
    // Each step shows for 80 ms.  The thread that reads the window is woken by the server as the step is drawn, but on
    // a busy machine it may still wait its turn longer than that: at least half are caught.
    const WalkSeen walk = WalkTheLongestWay(
        m_reader, [this](int milliseconds) { return ViewFrame(milliseconds); }, [this](QPoint point) { Click(point); },
        start, "X");
    ASSERT_TRUE(walk.selected) << "the click did not select";
    ASSERT_GE(walk.steps, 4);
    EXPECT_GE(static_cast<int>(walk.between.size()), (walk.steps - 1) / 2) << "steps of the walk seen on the screen";
    EXPECT_EQ(walk.end.colours[static_cast<std::size_t>(walk.to)], start.colours[static_cast<std::size_t>(walk.from)]);
    EXPECT_EQ(walk.end.Balls(), 6);

    // A double press selects and keeps the ball selected; a later press puts it back.
    int other = 0;
    while (walk.end.colours[static_cast<std::size_t>(other)] <= 0 || other == walk.to) ++other;
    Click(CellCentre(other), 2);
    QThread::msleep(600);
    EXPECT_EQ(m_reader.Read(ViewOnScreen()).selected, other);
    Click(CellCentre(other));
    EXPECT_TRUE(WaitFor([this] { return m_reader.Read(ViewOnScreen()).selected < 0; }, 5000));
}

TEST_F(RealWindowTest, QuitFromTheMenuByKeyboardEndsTheProgram) {
    // Keys go where the X input focus is: the game's window once it is up.
    ASSERT_TRUE(WaitFor(
        [this] { return RunTool("xdotool", {"getwindowfocus"}).value_or("").trimmed().toULong() == m_window; }));
    RunTool("xdotool", {"key", "alt+g"});
    const auto windows = [] {
        return RunTool("xdotool", {"search", "--onlyvisible", "--class", "velmor"}).value_or("");
    };
    ASSERT_TRUE(WaitFor([&] { return windows().trimmed().split('\n').size() > 1; })) << "the menu did not open";
    RunTool("xdotool", {"key", "q"});
    ASSERT_TRUE(m_game.waitForFinished(10000)) << "still running after quit";
    EXPECT_EQ(m_game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_game.exitCode(), 0);
}

namespace {

// The game on a screen of another density, as QT_SCALE_FACTOR makes it: the view in the screen's pixels.
class DenseWindowTest : public RealWindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    QString ScaleFactor() const override { return GetParam(); }
    double Scale() const { return ScaleFactor().toDouble(); }
    QImage DenseView() const {
        const QImage window = m_frames->Newest(0).picture;
        const int edge = qRound(2 * Scale());
        const QSize size(qRound(360 * Scale()), qRound(410 * Scale()));
        return window.copy(edge, window.height() - edge - size.height(), size.width(), size.height());
    }
};

// The share of the 2 x 2 blocks of `area` showing more than one colour, of those not all the colour at its corner.
double MixedBlockShare(const QImage& image, const QRect& area) {
    const QRgb background = image.pixel(area.topLeft());
    int blocks = 0;
    int mixed = 0;
    for (int y = area.top(); y < area.bottom(); y += 2) {
        for (int x = area.left(); x < area.right(); x += 2) {
            const QRgb block[] = {image.pixel(x, y), image.pixel(x + 1, y), image.pixel(x, y + 1),
                                  image.pixel(x + 1, y + 1)};
            if (std::ranges::count(block, background) == 4) continue;
            ++blocks;
            if (std::ranges::count(block, block[0]) != 4) ++mixed;
        }
    }
    return blocks == 0 ? 0 : static_cast<double>(mixed) / blocks;
}

// The largest difference of a colour channel between `area` of `image` and the area as large at `otherOrigin` of
// `other`.
int LargestDifference(const QImage& image, const QRect& area, const QImage& other, QPoint otherOrigin) {
    int largest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb one = image.pixel(x, y);
            const QRgb two = other.pixel(QPoint(x, y) - area.topLeft() + otherOrigin);
            largest = std::max({largest, std::abs(qRed(one) - qRed(two)), std::abs(qGreen(one) - qGreen(two)),
                                std::abs(qBlue(one) - qBlue(two))});
        }
    }
    return largest;
}

}  // namespace

TEST_P(DenseWindowTest, TheViewIsDrawnAtTheScreensOwnResolution) {
    const BoardReading start = m_reader.Read(
        QImage(QString::fromStdString(GoldenPath())).convertToFormat(QImage::Format_RGB32));
    ASSERT_EQ(start.Balls(), 3);
    QImage view;
    if (Scale() == 1) {
        EXPECT_TRUE(WaitFor([&] { return CompareWithGolden(view = DenseView()).empty(); }, 2000))
            << CompareWithGolden(view);
    } else if (Scale() == 2) {
        // The board as the 2x pictures compose it; balls and texts finer than a doubled 1x picture.
        const QImage board = ExpectedBoard(start.colours, -1, 2);
        EXPECT_TRUE(
            WaitFor([&] { return FirstDifference(view = DenseView(), board, QRect(0, 100, 720, 720)).empty(); }, 2000))
            << FirstDifference(view, board, QRect(0, 100, 720, 720));
        for (int cell = 0; cell < CBoardGame::kCells; ++cell) {
            if (start.colours[static_cast<std::size_t>(cell)] <= 0) continue;
            const QRect ball(CellArea(cell).topLeft() * 2 + QPoint(8, 8), QSize(64, 64));
            EXPECT_GT(MixedBlockShare(view, ball), 0.5) << "inside the ball at cell " << cell;
        }
        for (const QRect& text : {QRect(560, 20, 160, 76), QRect(20, 30, 220, 36)})
            EXPECT_GT(MixedBlockShare(view, text), 0.5) << "the text at x " << text.x() / 2;
    } else {
        // The 2x composition scaled down smoothly: each cell of the top row and of the left column (empty at the
        // start) looks like its neighbour, so that the lines between them have one width everywhere.
        QImage board(540, 540, QImage::Format_RGB32);
        QPainter painter(&board);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(board.rect(), ExpectedBoard(start.colours, -1, 2));
        const auto lookRight = [&] {
            view = DenseView();
            if (view.isNull()) return false;
            return LargestDifference(view, QRect(0, 75, 540, 540), board, QPoint(0, 0)) <= 8 &&
                   LargestDifference(view, QRect(60, 75, 480, 60), view, QPoint(0, 75)) <= 8 &&
                   LargestDifference(view, QRect(0, 135, 60, 480), view, QPoint(0, 75)) <= 8;
        };
        EXPECT_TRUE(WaitFor(lookRight, 2000));
    }
}

INSTANTIATE_TEST_SUITE_P(ScaleFactors, DenseWindowTest, ::testing::Values("1", "1.5", "2"));
