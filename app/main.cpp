// The program's entry: the options that need no display, then the game.
#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/GameApp.h"
#include "app/Resources.h"
#include "velmor/Version.h"

CGameApp theApp;

int main(int argc, char* argv[]) {
    const CommandLine options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
    case CommandLine::Action::version: {
        std::printf("velmor %s\n", velmor::kVersion);
        return 0;
    }
    case CommandLine::Action::help: {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    case CommandLine::Action::error: {
        std::fprintf(stderr, "velmor: %s\n%s", options.error.c_str(), UsageText().c_str());
        return 2;
    }
    case CommandLine::Action::play: break;
    }
    theApp.SetFirstSeed(options.seed);
    theApp.SetScreenshotFile(options.screenshotFile);
    StartDrawingGameIcon();
    return AfxWinMain(argc, argv);
}
