// The application object: one per program, constructed before main runs.
// AfxWinMain opens the display, calls InitApplication and InitInstance and
// runs the message loop until the main window (m_pMainWnd) is destroyed.
// Commands that neither view nor frame handle reach the application's
// message map last.
#pragma once

#include "platform/ui/CmdTarget.h"
#include "platform/ui/QtBridge.h"

// The variables that name a display to open windows on.
inline constexpr const char* kDisplayVariables[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
// What the program says, after its name, when it finds no display it can
// open: none is named, or it is a Wayland session without X and Qt's
// Wayland platform is not installed.
inline constexpr char kNoDisplayMessage[] =
    " could not open a window: it needs an X display (DISPLAY) or a Wayland one (WAYLAND_DISPLAY, with Qt's "
    "Wayland platform, package qt6-wayland)\n";

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Puts the platform's message box behind the core's AfxMessageBox.  No
    // file dialog: the program never asks for a file name, so the core's
    // question stays cancelled.
    virtual BOOL InitApplication();
    // The program's own start-up; FALSE ends the program with status 1.
    virtual BOOL InitInstance() { return TRUE; }
    // The message loop; returns ExitInstance's result.
    virtual int Run();
    virtual int ExitInstance();

    // Names where settings would be kept; this program keeps none, so
    // nothing is stored.
    void SetRegistryKey(LPCSTR) {}

    CWnd* m_pMainWnd = nullptr;
};

HINSTANCE AfxGetInstanceHandle();
// The program's entry: returns the exit status.  Without a display it
// can open, it prints kNoDisplayMessage after the program's name on
// standard error and returns 1.
int AfxWinMain(int argc, char* argv[]);
