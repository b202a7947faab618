// The application in a test: started the way the program starts it, with a
// fixed first seed, in a scratch run folder; and running the program itself.
#pragma once

#include <QImage>
#include <QProcessEnvironment>
#include <QStringList>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/GameApp.h"
#include "app/MainFrame.h"
#include "view/tests/ViewTestSupport.h"

inline constexpr std::uint32_t kTestSeed = 20240601;

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame& Frame() const { return *m_pApp->GetMainFrame(); }
    CBoardView& View() const { return Frame().GetView(); }
    bool FrameAlive() const { return m_pApp->m_pMainWnd != nullptr; }

    std::unique_ptr<ScratchRunFolder> m_pFolder;
    std::unique_ptr<CGameApp> m_pApp;
};

// What a run of the program gave.
struct ProgramRun {
    int exitCode = -1;
    std::string output;
    std::string errors;
};
// Runs the game program with these arguments and environment, in `folder`.
ProgramRun RunProgram(const QStringList& arguments, const QProcessEnvironment& environment,
                      const std::string& folder = ".", int timeoutMilliseconds = 20000);
// The environment of these tests without any display.
QProcessEnvironment EnvironmentWithoutDisplay();

// The view's part of a picture of the whole main window: 360 x 410 at the
// window's bottom left, inside the view's 2-pixel edge.
QImage ViewPartOf(const QImage& window);

// Where the band's texts are drawn; fonts may differ there between machines.
const std::vector<QRect>& TextBoxes();
// Compares a start picture of the view with the stored one for kTestSeed:
// exact outside the text boxes, some ink inside each.  Empty when they agree.
std::string CompareWithGolden(const QImage& view);
std::string GoldenPath();
