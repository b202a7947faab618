// What the command line asks of the program.  Options of the window system
// (one dash, such as -display) are left for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { play, version, help, error };

    Action action = Action::play;
    std::optional<std::uint32_t> seed;  // the first game's seed, for replays
    std::string screenshotFile;  // save the window at start-up and quit
    std::string error;  // what was wrong, for Action::error
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();
