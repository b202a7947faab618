// The application: creates the main frame at start-up and answers the
// About and quit commands.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/WinApp.h"

class CMainFrame;

class CGameApp : public CWinApp {
public:
    CGameApp();
    ~CGameApp() override;

    // Registers the resources before anything is created.
    BOOL InitApplication() override;
    BOOL InitInstance() override;
    // Runs the message loop, or only saves a picture of the window when one
    // was asked for.
    int Run() override;

    // Fixes the first game's seed: the clock reads it while the view is built.
    void SetFirstSeed(std::optional<std::uint32_t> seed) { m_firstSeed = seed; }
    // Saves the window as a PNG file right after start-up and quits.
    void SetScreenshotFile(std::string fileName) { m_strScreenshotFile = std::move(fileName); }

    CMainFrame* GetMainFrame() const;

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    int SaveScreenshot();

    std::optional<std::uint32_t> m_firstSeed;
    std::string m_strScreenshotFile;
};
