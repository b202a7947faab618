#include "platform/ui/WinApp.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/UiResources.h"

namespace {

CWinApp* g_pApp = nullptr;
int g_nExitCode = 0;
std::string g_program;

// The picture code's messages need only "OK"; the caption is the
// application's title.
int ShowMessageBox(const char* text, UINT) {
    const std::string* title = FindStringResource(AFX_IDS_APP_TITLE);
    QMessageBox box(QMessageBox::NoIcon, ui_detail::FromWindows1251(title == nullptr ? "" : *title),
                    ui_detail::FromWindows1251(text == nullptr ? "" : text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
    return IDOK;
}

void SayNoDisplay() {
    std::fprintf(stderr, "%s%s", g_program.c_str(), kNoDisplayMessage);
    std::fflush(stderr);
}

// Qt's messages while it opens the display are held.  When no platform of
// those it tries (Wayland, then X) can be opened, Qt would abort: the
// program says so instead, alone.  Once one is open, the held messages are
// passed on, except Qt's notes about the platforms it tried on the way.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
std::vector<HeldMessage> g_held;

void DuringStartUp(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        SayNoDisplay();
        std::_Exit(1);
    }
    g_held.push_back({type, context.category == nullptr ? "" : context.category, text});
}

}  // namespace

// The program's one module.
struct HINSTANCE__ {};

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitApplication() {
    SetMessageBoxHook(ShowMessageBox);
    return TRUE;
}

int CWinApp::Run() {
    g_nExitCode = 0;
    if (m_pMainWnd != nullptr) g_nExitCode = QCoreApplication::exec();
    // Windows destroyed during the last messages still have widgets waiting.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    SetMessageBoxHook({});
    return g_nExitCode;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp == nullptr ? nullptr : g_pApp->m_pMainWnd; }

HINSTANCE AfxGetInstanceHandle() {
    static HINSTANCE__ instance;
    return &instance;
}

void AfxPostQuitMessage(int nExitCode) {
    g_nExitCode = nExitCode;
    QCoreApplication::exit(nExitCode);
}

int AfxWinMain(int argc, char* argv[]) {
    const std::string path = argc > 0 ? argv[0] : "";
    g_program = path.substr(path.find_last_of('/') + 1);
    bool named = false;
    for (const char* variable : kDisplayVariables) {
        const char* value = std::getenv(variable);
        named = named || (value != nullptr && *value != '\0');
    }
    if (!named) {
        SayNoDisplay();
        return 1;
    }
    const QtMessageHandler qtHandler = qInstallMessageHandler(DuringStartUp);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtHandler);
    std::vector<HeldMessage> held;
    held.swap(g_held);
    for (const HeldMessage& message : held) {
        if (message.category != "qt.qpa.plugin" && qtHandler != nullptr)
            qtHandler(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.c_str()), message.text);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return 1;
    if (!app->InitApplication() || !app->InitInstance()) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app->ExitInstance();
        return 1;
    }
    return app->Run();
}
