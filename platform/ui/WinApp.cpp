#include "platform/ui/WinApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <cstdio>
#include <cstdlib>

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
    QApplication application(argc, argv);
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
