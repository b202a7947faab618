// The program's entry: the options that need no display, then the game.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/GameApp.h"
#include "velmor/Version.h"

CGameApp theApp;

namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    const CommandLine options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
    case CommandLine::Action::version:
        std::printf("velmor %s\n", velmor::kVersion);
        return 0;
    case CommandLine::Action::help:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case CommandLine::Action::error:
        std::fprintf(stderr, "velmor: %s\n%s", options.error.c_str(), UsageText().c_str());
        return 2;
    case CommandLine::Action::play:
        break;
    }
    if (!HasDisplay()) {
        std::fputs("velmor needs a graphical display; none was found (DISPLAY/WAYLAND_DISPLAY are unset)\n", stderr);
        return 1;
    }
    theApp.SetFirstSeed(options.seed);
    theApp.SetScreenshotFile(options.screenshotFile);
    return AfxWinMain(argc, argv);
}
