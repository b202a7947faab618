// The application object: one per program, constructed before main runs.
// AfxWinMain starts the window system, installs the file dialog and message
// box hooks, calls InitInstance and runs the message loop until the main
// window (m_pMainWnd) is destroyed.  Commands that neither view nor frame
// handle reach the application's message map last.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/CmdTarget.h"

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)

public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Start-up before InitInstance: installs the platform's dialogs into
    // the core's hooks.
    virtual BOOL InitApplication();
    // The program's own start-up; FALSE ends the program with status 1.
    virtual BOOL InitInstance();
    // The message loop; returns ExitInstance's result.
    virtual int Run();
    virtual int ExitInstance();

    // Names where settings would be kept.  Nothing is ever stored.
    void SetRegistryKey(LPCSTR lpszRegistryKey);

    HICON LoadIcon(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;

    // The application's title: string AFX_IDS_APP_TITLE of the resources,
    // else the name given to the constructor, else the program's name.
    std::string GetAppTitle() const;

    CWnd* m_pMainWnd = nullptr;
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    HINSTANCE m_hInstance = nullptr;
    std::vector<std::string> m_arguments;  // the command line after the program's name

private:
    std::string m_strAppName;
    std::string m_strRegistryKey;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// Ends the message loop once control returns to it.
void AfxPostQuitMessage(int nExitCode);
// The program's entry: returns the exit status.  Without a display it
// prints one line on stderr and returns 1.
int AfxWinMain(int argc, char* argv[]);
