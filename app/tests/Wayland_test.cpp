// The game on a headless Wayland compositor, driven by a virtual pointer and read back with screenshots; and
// how the program starts on each kind of session.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <cstring>
#include <optional>

#include <pwd.h>
#include <unistd.h>

#ifdef VELMOR_WAYLAND_CLIENT
#include <wayland-client.h>
#endif

#include "app/tests/AppTestSupport.h"

namespace {

const QString kCaption = QString::fromUtf8("шарики");

std::string MissingWaylandTools() {
#ifndef VELMOR_WAYLAND_CLIENT
    return "built without the Wayland client library (scripts/test.sh installs libwayland-dev)";
#else
    for (const char* tool : {"sway", "swaymsg", "grim"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return std::string(tool) + " is not installed (scripts/test.sh installs sway and grim)";
    }
    if (geteuid() == 0 && (getpwnam("nobody") == nullptr || QStandardPaths::findExecutable("setpriv").isEmpty()))
        return "sway does not run as root, and there is no user nobody or no setpriv to run it as another user";
    if (QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms").entryList({"*wayland*"}).isEmpty())
        return "Qt's Wayland platform is not installed (qt6-wayland)";
    return {};
#endif
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
        environment.insert("WLR_LIBINPUT_NO_DEVICES", "1");
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

    // `environment` for a client, with its own runtime folder in `folder`.
    QProcessEnvironment ForClient(QProcessEnvironment environment, const std::filesystem::path& folder) const {
        environment.insert("XDG_RUNTIME_DIR", PrivateFolder(folder / "runtime"));
        environment.insert("WAYLAND_DISPLAY", m_socket);
        return environment;
    }

    std::optional<QByteArray> Run(const QString& program, const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SWAYSOCK", m_ipc);
        environment.insert("WAYLAND_DISPLAY", m_socket);
        return RunTool(program, arguments, environment);
    }

    // The screen rectangle of the client area of the window with this caption, or empty.
    QRect WindowRect(const QString& caption) const {
        const auto tree = Run("swaymsg", {"-t", "get_tree"});
        return tree ? Find(QJsonDocument::fromJson(*tree).object(), caption) : QRect();
    }

    QImage Grab(const QRect& rect) const {
        const QString geometry = QString::asprintf("%d,%d %dx%d", rect.x(), rect.y(), rect.width(), rect.height());
        const auto picture = Run("grim", {"-g", geometry, "-t", "ppm", "-"});
        return picture ? QImage::fromData(*picture, "PPM").convertToFormat(QImage::Format_RGB32) : QImage();
    }

private:
    static QRect Find(const QJsonObject& node, const QString& caption) {
        if (node["name"].toString().contains(caption) && node["visible"].toBool()) {
            const QJsonObject rect = node["rect"].toObject();
            const QJsonObject inside = node["window_rect"].toObject();
            return {rect["x"].toInt() + inside["x"].toInt(), rect["y"].toInt() + inside["y"].toInt(),
                    inside["width"].toInt(), inside["height"].toInt()};
        }
        for (const char* children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue child : node[children].toArray()) {
                const QRect found = Find(child.toObject(), caption);
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

#ifdef VELMOR_WAYLAND_CLIENT
// A mouse of the compositor's seat, through the wlroots virtual-pointer protocol: clients get its clicks as real ones.
class VirtualPointer {
public:
    explicit VirtualPointer(const QString& socket) : m_display(wl_display_connect(socket.toLocal8Bit().constData())) {
        m_clock.start();
        if (m_display == nullptr) return;
        static const wl_registry_listener listener = {
            [](void* data, wl_registry* found, uint32_t name, const char* interface, uint32_t) {
                if (std::strcmp(interface, kManager.name) == 0)
                    *static_cast<wl_proxy**>(data) = static_cast<wl_proxy*>(
                        wl_registry_bind(found, name, &kManager, 1));
            },
            [](void*, wl_registry*, uint32_t) {}};
        m_registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(m_registry, &listener, &m_manager);
        wl_display_roundtrip(m_display);
        if (m_manager != nullptr) m_pointer = wl_proxy_marshal_flags(m_manager, 0, &kPointer, 1, 0, nullptr, nullptr);
        wl_display_roundtrip(m_display);
    }
    ~VirtualPointer() {
        for (wl_proxy* proxy : {m_pointer, m_manager, reinterpret_cast<wl_proxy*>(m_registry)})
            if (proxy != nullptr) wl_proxy_destroy(proxy);
        if (m_display != nullptr) wl_display_disconnect(m_display);
    }

    bool Ready() const { return m_pointer != nullptr; }

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
    static inline const wl_interface* kNoTypes[5] = {};
    static inline const wl_message kPointerRequests[] = {{"motion", "uff", kNoTypes},
                                                         {"motion_absolute", "uuuuu", kNoTypes},
                                                         {"button", "uuu", kNoTypes},
                                                         {"axis", "uuf", kNoTypes},
                                                         {"frame", "", kNoTypes}};
    static inline const wl_interface kPointer = {"zwlr_virtual_pointer_v1", 1, 5, kPointerRequests, 0, nullptr};
    static inline const wl_interface* kCreateTypes[] = {nullptr, &kPointer};
    static inline const wl_message kManagerRequests[] = {{"create_virtual_pointer", "?on", kCreateTypes}};
    static inline const wl_interface kManager = {"zwlr_virtual_pointer_manager_v1", 1, 1, kManagerRequests, 0, nullptr};

    wl_display* m_display;
    wl_registry* m_registry = nullptr;
    wl_proxy* m_manager = nullptr;
    wl_proxy* m_pointer = nullptr;
    QElapsedTimer m_clock;
};
#endif

}  // namespace

#ifdef VELMOR_WAYLAND_CLIENT
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
    StartGame(game, sway.ForClient(EnvironmentWithoutDisplay(), folder.Path()));
    QRect window;
    ASSERT_TRUE(WaitFor([&] { return !(window = sway.WindowRect(kCaption)).isEmpty(); })) << "no window showed";
    const auto view = [&] { return ViewPartOf(sway.Grab(window)); };
    VirtualPointer pointer(sway.Socket());
    ASSERT_TRUE(pointer.Ready()) << "the compositor offers no virtual pointer";

    BoardReading start;
    // Read again until the compositor has placed the window for good.
    ASSERT_TRUE(WaitFor([&] {
        window = sway.WindowRect(kCaption);
        return (start = reader.Read(view())).Readable();
    })) << "the start picture did not show";
    ASSERT_EQ(start.Balls(), 3);
    const WalkSeen walk = WalkTheLongestWay(
        reader, view, [&](QPoint point) { pointer.Click(window.topLeft() + QPoint(2, window.height() - 412) + point); },
        start, "Wayland");
    ASSERT_TRUE(walk.selected) << "the click did not select";
    ASSERT_GE(walk.steps, 8);
    EXPECT_EQ(static_cast<int>(walk.between.size()), walk.steps - 1) << "steps of the walk seen on the screen";
    EXPECT_LE(walk.longestGap, 200);
    ASSERT_EQ(walk.end.colours[static_cast<std::size_t>(walk.to)], start.colours[static_cast<std::size_t>(walk.from)]);

    // Hidden and shown again, then in Qt's own title bar and 3-pixel border: the board is back without a click.
    const auto showsTheBoard = [&](int border) {
        window = sway.WindowRect(kCaption).adjusted(border, 0, -border, -border);
        return !window.isEmpty() && reader.Read(view()).colours == walk.end.colours;
    };
    ASSERT_TRUE(sway.Run("swaymsg", {"move", "scratchpad"}));
    for (const auto& change : {std::pair{"scratchpad show", 0}, std::pair{"border csd", 3}}) {
        ASSERT_TRUE(sway.Run("swaymsg", {change.first}));
        EXPECT_TRUE(WaitFor([&] { return showsTheBoard(change.second); }, 3000)) << change.first;
    }
    StopProcess(game);
}
#endif

// With and without Qt's Wayland platform (hidden from a copy of the program by its own qt.conf).
TEST(WaylandTest, EachKindOfSessionStartsTheGameOrSaysWhyNot) {
    std::string missing = MissingWaylandTools();
    if (missing.empty()) missing = MissingXTools();
    if (!missing.empty()) GTEST_SKIP() << missing;
    const Sway sway;
    ASSERT_TRUE(sway.Running()) << "sway did not start";
    const ScratchRunFolder folder;
    ASSERT_TRUE(folder.Ready());

    const QDir copy(QString::fromStdString((folder.Path() / "copy").string()));
    ASSERT_TRUE(copy.mkpath("bin") && copy.mkpath("plugins/platforms"));
    ASSERT_TRUE(QFile::copy(VELMOR_PROGRAM, copy.filePath("bin/velmor")));
    QFile::setPermissions(copy.filePath("bin/velmor"), QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_TRUE(WriteWholeFile(folder.Path() / "copy/bin/qt.conf", "[Paths]\nPrefix=..\nPlugins=plugins\n"));
    const QString platforms = QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/";
    ASSERT_TRUE(QFile::link(platforms + "libqxcb.so", copy.filePath("plugins/platforms/libqxcb.so")));

    const struct {
        const char* session;
        bool x;
        bool wayland;
        bool waylandPlatform;
        const char* expected;  // where the window shows, or "message"
    } sessions[] = {
        {"X alone", true, false, true, "X"},
        {"Wayland beside X", true, true, true, "Wayland"},
        {"Wayland alone", false, true, true, "Wayland"},
        {"Wayland beside X without the Wayland platform", true, true, false, "X"},
        {"Wayland alone without the Wayland platform", false, true, false, "message"},
    };
    for (const auto& session : sessions) {
        SCOPED_TRACE(session.session);
        QProcessEnvironment environment = EnvironmentWithoutDisplay();
        if (session.wayland) environment = sway.ForClient(environment, folder.Path());
        if (session.x) environment.insert("DISPLAY", qEnvironmentVariable("DISPLAY"));
        QProcess game;
        game.setProcessEnvironment(environment);
        game.start(session.waylandPlatform ? QString(VELMOR_PROGRAM) : copy.filePath("bin/velmor"), {});
        std::string shown;
        WaitFor([&] {
            if (!sway.WindowRect(kCaption).isEmpty()) shown = "Wayland";
            const auto onX = RunTool("xdotool", {"search", "--onlyvisible", "--name", kCaption});
            if (onX && !onX->trimmed().isEmpty()) shown = "X";
            if (game.waitForFinished(20)) shown = "message";
            return !shown.empty();
        });
        const std::string errors = game.readAllStandardError().toStdString();
        EXPECT_EQ(shown, session.expected) << errors;
        if (shown == "message") {
            EXPECT_EQ(game.exitStatus() == QProcess::NormalExit ? game.exitCode() : -1, 1) << "the exit code";
            EXPECT_EQ(errors, std::string("velmor") + kNoDisplayMessage);
        }
        StopProcess(game);
        WaitFor([&] { return sway.WindowRect(kCaption).isEmpty(); }, 3000);
    }
}
