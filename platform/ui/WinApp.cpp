#include "platform/ui/WinApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/StdDialogs.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {

CWinApp*& CurrentApp() {
    static CWinApp* app = nullptr;
    return app;
}

int& ExitCode() {
    static int code = 0;
    return code;
}

bool HasDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// Qt's messages while it opens the display.  When no platform of those it
// tries (Wayland, then X) can be opened, for instance in a Wayland session
// without X when Qt's Wayland platform is not installed, Qt would abort:
// the program says so in one line instead and ends with status 1.  Once a
// platform is open, the messages held meanwhile are passed on, except
// Qt's notes about the platforms it tried on the way.
class StartUpMessages {
public:
    explicit StartUpMessages(const std::string& program) {
        Program() = program;
        Previous() = qInstallMessageHandler(Hold);
    }
    ~StartUpMessages() {
        qInstallMessageHandler(Previous());
        for (const Message& message : Held()) {
            if (message.category == "qt.qpa.plugin" || Previous() == nullptr) continue;
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
            Previous()(message.type, context, message.text);
        }
        Held().clear();
    }
    StartUpMessages(const StartUpMessages&) = delete;
    StartUpMessages& operator=(const StartUpMessages&) = delete;

private:
    struct Message {
        QtMsgType type;
        std::string category;
        QString text;
    };
    static std::string& Program() {
        static std::string program;
        return program;
    }
    static QtMessageHandler& Previous() {
        static QtMessageHandler previous = nullptr;
        return previous;
    }
    static std::vector<Message>& Held() {
        static std::vector<Message> held;
        return held;
    }
    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type != QtFatalMsg) {
            Held().push_back({type, context.category == nullptr ? "" : context.category, text});
            return;
        }
        std::fprintf(stderr,
                     "%s could not open a window on this display; a Wayland session without X needs Qt's Wayland "
                     "platform (package qt6-wayland)\n",
                     Program().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
};

std::string ProgramName(const char* path) {
    const std::string full = path == nullptr ? "" : path;
    const std::size_t slash = full.find_last_of('/');
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

}  // namespace

// The program's one module.
struct HINSTANCE__ {
    int unused;
};
static HINSTANCE__ g_instance{0};

CWinApp::CWinApp(LPCSTR lpszAppName) : m_hInstance(&g_instance) {
    if (lpszAppName != nullptr) m_strAppName = lpszAppName;
    m_pszAppName = lpszAppName == nullptr ? nullptr : m_strAppName.c_str();
    CurrentApp() = this;
}

CWinApp::~CWinApp() {
    if (CurrentApp() == this) CurrentApp() = nullptr;
}

BOOL CWinApp::InitApplication() {
    ui_detail::InstallDialogHooks();
    return TRUE;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
    ExitCode() = 0;
    if (m_pMainWnd != nullptr && QCoreApplication::instance() != nullptr) ExitCode() = QCoreApplication::exec();
    // Windows destroyed during the last messages still have widgets waiting.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    ui_detail::RemoveDialogHooks();
    return ExitCode();
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
    // Only remembered: this program keeps no settings anywhere.
    m_strRegistryKey = lpszRegistryKey == nullptr ? "" : lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey.c_str();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return LoadIconA(m_hInstance, MAKEINTRESOURCEA(static_cast<WORD>(nIDResource)));
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const { return LoadCursorA(nullptr, lpszCursorName); }

std::string CWinApp::GetAppTitle() const {
    if (const std::string* title = FindStringResource(AFX_IDS_APP_TITLE)) return title->substr(0, title->find('\n'));
    if (!m_strAppName.empty()) return m_strAppName;
    return QCoreApplication::instance() == nullptr ? std::string() : QCoreApplication::applicationName().toStdString();
}

CWinApp* AfxGetApp() { return CurrentApp(); }

CWnd* AfxGetMainWnd() { return CurrentApp() == nullptr ? nullptr : CurrentApp()->m_pMainWnd; }

HINSTANCE AfxGetInstanceHandle() { return &g_instance; }

void AfxPostQuitMessage(int nExitCode) {
    ExitCode() = nExitCode;
    QCoreApplication::exit(nExitCode);
}

int AfxWinMain(int argc, char* argv[]) {
    const std::string program = ProgramName(argc > 0 ? argv[0] : nullptr);
    if (!HasDisplay()) {
        std::fprintf(stderr, "%s: no display to open a window on (DISPLAY is not set)\n", program.c_str());
        return 1;
    }
    std::optional<StartUpMessages> startUp(std::in_place, program);
    QApplication application(argc, argv);
    startUp.reset();
    QApplication::setQuitOnLastWindowClosed(false);
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return 1;
    app->m_arguments.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (!app->InitApplication() || !app->InitInstance()) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app->ExitInstance();
        return 1;
    }
    return app->Run();
}
