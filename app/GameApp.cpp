#include "app/GameApp.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/Resources.h"
#include "gfx/DIB.h"
#include "platform/core/Crt.h"

BEGIN_MESSAGE_MAP(CGameApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CGameApp::CGameApp() = default;

CGameApp::~CGameApp() = default;

BOOL CGameApp::InitApplication() {
    RegisterGameResources();
    return CWinApp::InitApplication();
}

namespace {

// Started where there are no pictures, the window shows next to nothing; one
// line says why and what to do.
void ExplainMissingPictures() {
    constexpr const char* kBoardFile = "res1/pole.bmp";
    if (CDIB().Load(kBoardFile)) return;
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    std::fprintf(stderr,
                 "velmor: cannot read %s in %s: start the installed launcher (velmor), "
                 "or make the pictures there with: velmor-art res1\n",
                 kBoardFile, error ? "the current folder" : folder.c_str());
}

}  // namespace

BOOL CGameApp::InitInstance() {
    SetRegistryKey("Local AppWizard-Generated Applications");
    ExplainMissingPictures();

    CMainFrame* frame = nullptr;
    {
        // Only the first game is fixed; later ones and the records' dates
        // read the real clock.
        const crt::ScopedClock clock(m_firstSeed);
        frame = new CMainFrame;
    }
    m_pMainWnd = frame;

    if (!frame->LoadFrame(IDR_MAINFRAME, 0, nullptr, nullptr)) {
        // The frame has deleted itself; no message loop without a window.
        m_pMainWnd = nullptr;
        std::fputs("velmor: the main window could not be created\n", stderr);
        return FALSE;
    }
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    return TRUE;
}

int CGameApp::Run() {
    if (!m_strScreenshotFile.empty()) return SaveScreenshot();
    return CWinApp::Run();
}

CMainFrame* CGameApp::GetMainFrame() const { return static_cast<CMainFrame*>(m_pMainWnd); }

namespace {

// The window system shows a new window a few events after it was asked to.
bool WaitUntilExposed(QWidget* window) {
    QElapsedTimer timer;
    timer.start();
    while (window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) {
        if (timer.elapsed() > 5000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace

int CGameApp::SaveScreenshot() {
    QWidget* const window = m_pMainWnd != nullptr && m_pMainWnd->Widget() != nullptr ? m_pMainWnd->Widget()->window()
                                                                                     : nullptr;
    int status = 1;
    if (window != nullptr && WaitUntilExposed(window) && window->screen() != nullptr) {
        m_pMainWnd->UpdateWindow();
        const QImage picture = window->screen()->grabWindow(window->winId()).toImage();
        if (!picture.isNull() && picture.save(QString::fromLocal8Bit(m_strScreenshotFile.c_str()), "PNG")) {
            status = 0;
        }
    }
    if (status != 0) std::fprintf(stderr, "velmor: could not save %s\n", m_strScreenshotFile.c_str());
    if (m_pMainWnd != nullptr) m_pMainWnd->DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ExitInstance();
    return status;
}

void CGameApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

void CGameApp::OnAppExit() {
    if (m_pMainWnd != nullptr) m_pMainWnd->DestroyWindow();
}
