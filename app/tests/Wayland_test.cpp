// The game on a headless Wayland compositor, driven by a virtual pointer and read back frame by frame.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <array>
#include <cstring>
#include <optional>

#include <pwd.h>
#include <sys/mman.h>
#include <unistd.h>

#include "app/tests/AppTestSupport.h"

#ifdef VELMOR_WAYLAND_CLIENT
#include <wayland-client.h>

namespace {

std::string MissingWaylandTools() {
    for (const char* tool : {"sway", "swaymsg"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return std::string(tool) + " is not installed (scripts/test.sh installs sway)";
    }
    if (geteuid() == 0 && (getpwnam("nobody") == nullptr || QStandardPaths::findExecutable("setpriv").isEmpty()))
        return "sway does not run as root, and there is no user nobody or no setpriv to run it as another user";
    if (QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms").entryList({"*wayland*"}).isEmpty())
        return "Qt's Wayland platform is not installed (qt6-wayland)";
    return {};
}

// A folder that only its owner may enter, made when missing.
QString PrivateFolder(const std::filesystem::path& path) {
    std::filesystem::create_directory(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return QString::fromStdString(path.string());
}

// sway headless, without input devices or X, in a scratch folder; as the user
// nobody when the tests run as root, since sway refuses root.
class Sway {
public:
    Sway() {
        const QString folder = QString::fromStdString(m_folder.Path().string());
        const QString runtime = PrivateFolder(m_folder.Path() / "run");
        const QString config = folder + "/config";
        if (!WriteWholeFile(m_folder.Path() / "config", "xwayland disable\noutput * resolution 800x600 position 0 0\n"))
            return;
        QStringList command{"sway", "-c", config};
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            for (const QString& path : {folder, runtime, config}) {
                if (chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid) != 0) return;
            }
            command = QStringList{"setpriv", "--reuid=" + QString::number(nobody->pw_uid),
                                  "--regid=" + QString::number(nobody->pw_gid), "--clear-groups", "--"} +
                      command;
        }
        QProcessEnvironment environment;
        environment.insert("PATH", qEnvironmentVariable("PATH"));
        environment.insert("HOME", folder);
        environment.insert("XDG_RUNTIME_DIR", runtime);
        environment.insert("WLR_BACKENDS", "headless");
        environment.insert("WLR_RENDERER", "pixman");
        m_sway.setProcessEnvironment(environment);
        m_sway.setProcessChannelMode(QProcess::MergedChannels);
        m_sway.setStandardOutputFile(folder + "/sway.log");
        m_sway.start(command.takeFirst(), command);
        QStringList sockets;
        WaitFor([&] {
            sockets = QDir(runtime).entryList({"wayland-?", "sway-ipc.*"}, QDir::System);
            return sockets.size() == 2 || m_sway.state() == QProcess::NotRunning;
        });
        if (sockets.size() != 2) return;
        m_socket = runtime + "/" + sockets.filter("wayland").first();
        m_ipc = runtime + "/" + sockets.filter("sway-ipc").first();
    }
    ~Sway() { StopProcess(m_sway); }

    bool Running() const { return !m_ipc.isEmpty(); }
    const QString& Socket() const { return m_socket; }

    // swaymsg's answer, or nothing when it failed.
    std::optional<QByteArray> Message(const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SWAYSOCK", m_ipc);
        return RunTool("swaymsg", arguments, environment);
    }

    // The screen rectangle of the client area of the game's window, or empty.
    QRect WindowRect() const {
        const auto tree = Message({"-t", "get_tree"});
        return tree ? Find(QJsonDocument::fromJson(*tree).object()) : QRect();
    }

private:
    static QRect Find(const QJsonObject& node) {
        if (node["name"].toString().contains(QString::fromUtf8("шарики")) && node["visible"].toBool()) {
            const QJsonObject rect = node["rect"].toObject();
            const QJsonObject inside = node["window_rect"].toObject();
            return {rect["x"].toInt() + inside["x"].toInt(), rect["y"].toInt() + inside["y"].toInt(),
                    inside["width"].toInt(), inside["height"].toInt()};
        }
        for (const char* children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue child : node[children].toArray()) {
                const QRect found = Find(child.toObject());
                if (!found.isEmpty()) return found;
            }
        }
        return {};
    }

    CScratchFolder m_folder;
    QProcess m_sway;
    QString m_socket;
    QString m_ipc;
};

// The test's own client of the compositor, through two wlroots protocols whose interface tables are written out here:
// a mouse of the seat (virtual pointer), whose clicks clients get as real ones; and the screen's frames (screen copy).
// Buffers wait in a queue for frames (copy_with_damage): the compositor fills the first waiting one as it shows a
// changed frame, and a buffer waits again once read.  So no frame that reached the screen is missed, however late
// the test reads it.
class CompositorClient : public ShownFrames {
public:
    explicit CompositorClient(const QString& socket) : m_display(wl_display_connect(socket.toLocal8Bit().constData())) {
        m_clock.start();
        if (m_display == nullptr) return;
        static const wl_registry_listener listener = {
            [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
                auto* client = static_cast<CompositorClient*>(data);
                const Global globals[] = {{&kPointerManager, 1, &client->m_pointerManager},
                                          {&kCopyManager, 2, &client->m_copyManager},
                                          {&wl_shm_interface, 1, &client->m_shm},
                                          {&wl_output_interface, 1, &client->m_output}};
                for (const Global& global : globals) {
                    if (std::strcmp(interface, global.interface->name) == 0 && *global.proxy == nullptr)
                        *global.proxy = static_cast<wl_proxy*>(
                            wl_registry_bind(registry, name, global.interface, global.version));
                }
            },
            [](void*, wl_registry*, uint32_t) {}};
        m_registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(m_registry, &listener, this);
        wl_display_roundtrip(m_display);
        if (m_pointerManager == nullptr || m_copyManager == nullptr || m_shm == nullptr || m_output == nullptr) return;
        m_pointer = wl_proxy_marshal_flags(m_pointerManager, 0, &kPointer, 1, 0, nullptr, nullptr);
        StartCopies();
    }
    ~CompositorClient() override {
        for (const Slot& slot : m_slots) {
            for (wl_proxy* proxy : {slot.frame, slot.buffer})
                if (proxy != nullptr) wl_proxy_destroy(proxy);
        }
        for (wl_proxy* proxy : {m_pointer, m_pointerManager, m_copyManager, m_shm, m_output})
            if (proxy != nullptr) wl_proxy_destroy(proxy);
        if (m_registry != nullptr) wl_registry_destroy(m_registry);
        if (m_display != nullptr) wl_display_disconnect(m_display);
        if (m_memory != MAP_FAILED) munmap(m_memory, m_slots.size() * m_shape.BufferSize());
    }

    bool Ready() const { return m_memory != MAP_FAILED; }

    // A left click on the 800 x 600 screen, then the pointer off to the corner; each request is followed by the
    // frame request (4) that ends one event.
    void Click(QPoint at) {
        const auto request = [this](uint32_t opcode, auto... arguments) {
            wl_proxy_marshal_flags(m_pointer, opcode, nullptr, 1, 0, static_cast<uint32_t>(m_clock.elapsed()),
                                   arguments...);
            wl_proxy_marshal_flags(m_pointer, 4, nullptr, 1, 0);
        };
        request(1, static_cast<uint32_t>(at.x()), static_cast<uint32_t>(at.y()), 800u, 600u);
        for (const uint32_t state : {1u, 0u}) request(2, 0x110u, state);  // the left button
        request(1, 799u, 599u, 800u, 600u);
        wl_display_roundtrip(m_display);
    }

private:
    struct Global {
        const wl_interface* interface;
        uint32_t version;
        wl_proxy** proxy;
    };
    // The buffers the compositor asks for.
    struct Shape {
        uint32_t format = ~0u;
        int width = 0;
        int height = 0;
        int stride = 0;
        std::size_t BufferSize() const { return static_cast<std::size_t>(stride) * static_cast<std::size_t>(height); }
    };
    // A buffer of the queue and the frame it waits for.
    struct Slot {
        CompositorClient* client = nullptr;
        wl_proxy* buffer = nullptr;
        wl_proxy* frame = nullptr;
    };

    void Receive() override { wl_display_roundtrip(m_display); }

    // A frame of the whole screen without the pointer (capture_output), whose events come to OnFrameEvent.
    wl_proxy* CaptureScreen(Slot& slot) {
        wl_proxy* frame = wl_proxy_marshal_flags(m_copyManager, 0, &kFrame, 2, 0, nullptr, 0, m_output);
        wl_proxy_add_dispatcher(frame, &OnFrameEvent, nullptr, &slot);
        return frame;
    }
    static int OnFrameEvent(const void*, void* frame, uint32_t event, const wl_message*, wl_argument* arguments) {
        Slot& slot = *static_cast<Slot*>(wl_proxy_get_user_data(static_cast<wl_proxy*>(frame)));
        CompositorClient& client = *slot.client;
        if (event == 0) {  // buffer: format, width, height, stride
            client.m_shape = {arguments[0].u, static_cast<int>(arguments[1].u), static_cast<int>(arguments[2].u),
                              static_cast<int>(arguments[3].u)};
        } else if (event == 2) {  // ready: seconds (high and low halves), nanoseconds
            const qint64 seconds = (static_cast<qint64>(arguments[0].u) << 32) | arguments[1].u;
            const Shape& shape = client.m_shape;
            const QImage picture(client.Memory(slot), shape.width, shape.height, shape.stride, QImage::Format_RGB32);
            client.Add({picture.copy(), seconds * 1000 + arguments[2].u / 1000000});
            client.WaitForFrame(slot);
        } else if (event == 3) {
            ADD_FAILURE() << "the compositor failed to copy a frame";
        }
        return 0;
    }

    // Learns the buffers' shape from a first frame, then makes them and sets them all waiting.  The pixel formats
    // taken are those of QImage::Format_RGB32.
    void StartCopies() {
        Slot probe{this};
        wl_proxy* frame = CaptureScreen(probe);
        wl_display_roundtrip(m_display);
        wl_proxy_marshal_flags(frame, 1, nullptr, 2, WL_MARSHAL_FLAG_DESTROY);
        if (m_shape.format != WL_SHM_FORMAT_ARGB8888 && m_shape.format != WL_SHM_FORMAT_XRGB8888) return;
        const std::size_t size = m_shape.BufferSize() * m_slots.size();
        const int file = memfd_create("velmor-screen-copies", MFD_CLOEXEC);
        if (file < 0) return;
        if (ftruncate(file, static_cast<off_t>(size)) == 0)
            m_memory = static_cast<uchar*>(mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0));
        if (m_memory != MAP_FAILED) {
            wl_shm_pool* pool = wl_shm_create_pool(reinterpret_cast<wl_shm*>(m_shm), file, static_cast<int32_t>(size));
            for (Slot& slot : m_slots) {
                const auto offset = static_cast<int32_t>(Memory(slot) - m_memory);
                slot.client = this;
                slot.buffer = reinterpret_cast<wl_proxy*>(wl_shm_pool_create_buffer(
                    pool, offset, m_shape.width, m_shape.height, m_shape.stride, m_shape.format));
                WaitForFrame(slot);
            }
            wl_shm_pool_destroy(pool);
        }
        close(file);
    }

    uchar* Memory(const Slot& slot) const {
        return m_memory + static_cast<std::size_t>(&slot - m_slots.data()) * m_shape.BufferSize();
    }

    // Sets the slot's buffer waiting for the next changed frame, on a new frame object (copy_with_damage).
    void WaitForFrame(Slot& slot) {
        if (slot.frame != nullptr) wl_proxy_marshal_flags(slot.frame, 1, nullptr, 2, WL_MARSHAL_FLAG_DESTROY);
        slot.frame = CaptureScreen(slot);
        wl_proxy_marshal_flags(slot.frame, 2, nullptr, 2, 0, slot.buffer);
        wl_display_flush(m_display);
    }

    static inline const wl_interface* kNoTypes[5] = {};
    static inline const wl_message kPointerRequests[] = {{"motion", "uff", kNoTypes},
                                                         {"motion_absolute", "uuuuu", kNoTypes},
                                                         {"button", "uuu", kNoTypes},
                                                         {"axis", "uuf", kNoTypes},
                                                         {"frame", "", kNoTypes}};
    static inline const wl_interface kPointer = {"zwlr_virtual_pointer_v1", 1, 5, kPointerRequests, 0, nullptr};
    static inline const wl_interface* kCreateTypes[] = {nullptr, &kPointer};
    static inline const wl_message kManagerRequests[] = {{"create_virtual_pointer", "?on", kCreateTypes}};
    static inline const wl_interface kPointerManager = {
        "zwlr_virtual_pointer_manager_v1", 1, 1, kManagerRequests, 0, nullptr};
    static inline const wl_interface* kCopyTypes[] = {&wl_buffer_interface};
    static inline const wl_message kFrameRequests[] = {
        {"copy", "o", kCopyTypes}, {"destroy", "", kNoTypes}, {"copy_with_damage", "2o", kCopyTypes}};
    static inline const wl_message kFrameEvents[] = {{"buffer", "uuuu", kNoTypes},
                                                     {"flags", "u", kNoTypes},
                                                     {"ready", "uuu", kNoTypes},
                                                     {"failed", "", kNoTypes},
                                                     {"damage", "2uuuu", kNoTypes}};
    static inline const wl_interface kFrame = {"zwlr_screencopy_frame_v1", 2, 3, kFrameRequests, 5, kFrameEvents};
    static inline const wl_interface* kCaptureTypes[] = {&kFrame, nullptr, &wl_output_interface};
    static inline const wl_message kCopyManagerRequests[] = {{"capture_output", "nio", kCaptureTypes}};
    static inline const wl_interface kCopyManager = {"zwlr_screencopy_manager_v1", 2, 1,
                                                     kCopyManagerRequests,         0, nullptr};

    wl_display* m_display;
    wl_registry* m_registry = nullptr;
    wl_proxy* m_pointerManager = nullptr;
    wl_proxy* m_copyManager = nullptr;
    wl_proxy* m_shm = nullptr;
    wl_proxy* m_output = nullptr;
    wl_proxy* m_pointer = nullptr;
    QElapsedTimer m_clock;
    Shape m_shape;
    std::array<Slot, 16> m_slots;  // more than the frames of a whole walk
    uchar* m_memory = static_cast<uchar*>(MAP_FAILED);
};

}  // namespace

TEST(WaylandTest, EveryStepOfALongWalkReachesTheCompositorAndARemapShowsThePicture) {
    const std::string missing = MissingWaylandTools();
    if (!missing.empty()) GTEST_SKIP() << missing;
    const Sway sway;
    ASSERT_TRUE(sway.Running()) << "sway did not start";
    const ScratchRunFolder folder;
    ASSERT_TRUE(folder.Ready());
    BoardReader reader;
    ASSERT_TRUE(reader.LoadLooks());
    QProcess game;
    QProcessEnvironment environment = EnvironmentWithoutDisplay();
    environment.insert("XDG_RUNTIME_DIR", PrivateFolder(folder.Path() / "runtime"));
    environment.insert("WAYLAND_DISPLAY", sway.Socket());
    StartGame(game, environment);
    CompositorClient screen(sway.Socket());
    ASSERT_TRUE(screen.Ready()) << "the compositor offers no virtual pointer or no screen copy in a format known here";
    QRect window;
    const auto viewIn = [&](ShownFrame frame) {
        frame.picture = ViewPartOf(frame.picture.copy(window));
        return frame;
    };

    BoardReading start;
    // Read again until the window shows and the compositor has placed it for good.
    const auto startShown = [&] {
        window = sway.WindowRect();
        start = reader.Read(viewIn(screen.Newest(100)).picture);
        return start.Readable();
    };
    ASSERT_TRUE(WaitFor(startShown)) << "the start picture did not show";
    ASSERT_EQ(start.Balls(), 3);
    const WalkSeen walk = WalkTheLongestWay(
        reader, [&](int milliseconds) { return viewIn(screen.Next(milliseconds)); },
        [&](QPoint point) { screen.Click(window.topLeft() + QPoint(2, window.height() - 412) + point); }, start,
        "Wayland");
    ASSERT_TRUE(walk.selected) << "the click did not select";
    ASSERT_GE(walk.steps, 8);
    EXPECT_EQ(static_cast<int>(walk.between.size()), walk.steps - 1) << "steps of the walk seen on the screen";
    EXPECT_LE(walk.longestGap, 200);
    ASSERT_EQ(walk.end.colours[static_cast<std::size_t>(walk.to)], start.colours[static_cast<std::size_t>(walk.from)]);

    // Hidden and shown again, then in Qt's own title bar and 3-pixel border: the board is back without a click.
    const auto showsTheBoard = [&](int border) {
        window = sway.WindowRect().adjusted(border, 0, -border, -border);
        return !window.isEmpty() && reader.Read(viewIn(screen.Newest(100)).picture).colours == walk.end.colours;
    };
    ASSERT_TRUE(sway.Message({"move", "scratchpad"}));
    for (const auto& change : {std::pair{"scratchpad show", 0}, std::pair{"border csd", 3}}) {
        ASSERT_TRUE(sway.Message({change.first}));
        EXPECT_TRUE(WaitFor([&] { return showsTheBoard(change.second); }, 3000)) << change.first;
    }
    StopProcess(game);
}
#else
TEST(WaylandTest, EveryStepOfALongWalkReachesTheCompositorAndARemapShowsThePicture) {
    GTEST_SKIP() << "built without the Wayland client library (scripts/test.sh installs libwayland-dev)";
}
#endif

// Beside X, a Wayland display without Qt's Wayland platform (hidden from a copy of the program by its own qt.conf): the
// window shows on X.
TEST(WaylandTest, WithoutQtsWaylandPlatformTheWindowShowsOnX) {
    const std::string missing = MissingXTools();
    if (!missing.empty()) GTEST_SKIP() << missing;
    const ScratchRunFolder folder;
    ASSERT_TRUE(folder.Ready());
    const QDir copy(QString::fromStdString((folder.Path() / "copy").string()));
    ASSERT_TRUE(copy.mkpath("bin"));
    ASSERT_TRUE(copy.mkpath("plugins/platforms"));
    ASSERT_TRUE(QFile::copy(VELMOR_PROGRAM, copy.filePath("bin/velmor")));
    ASSERT_TRUE(WriteWholeFile(folder.Path() / "copy/bin/qt.conf", "[Paths]\nPrefix=..\nPlugins=plugins\n"));
    const QString platforms = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/";
    ASSERT_TRUE(QFile::link(platforms + "libqxcb.so", copy.filePath("plugins/platforms/libqxcb.so")));
    QProcessEnvironment environment = EnvironmentWithoutDisplay();
    environment.insert("WAYLAND_DISPLAY", "velmor-no-such-display");
    GameOnX game(environment, copy.filePath("bin/velmor"));
    EXPECT_EQ(game.FindWindow(), "");
}
