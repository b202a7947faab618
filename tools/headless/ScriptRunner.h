// Runs the driver's text commands against a headless game, one command a
// line: click X Y, new [N], remake, scores, name TEXT, snapshot FILE, dump.
// Blank lines and lines starting with '#' are skipped.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "tools/headless/HeadlessGame.h"

class CScriptRunner {
public:
    static constexpr int kExitSuccess = 0;
    static constexpr int kExitBadInput = 2;

    CScriptRunner(CHeadlessGame& game, std::ostream& output);

    // Runs every line of the input; stops at the first bad line with a
    // message on `errors`.  The process's exit status.
    int Run(std::istream& input, std::ostream& errors);

private:
    // The reason a line is refused, or nothing when it ran.
    std::optional<std::string> RunLine(std::string_view line);
    std::optional<std::string> Click(std::string_view arguments);
    std::optional<std::string> NewGame(std::string_view arguments);

    CHeadlessGame& m_game;
    std::ostream& m_output;
};

// Parses a whole string as a decimal integer (optional sign); nothing when
// it is not one or does not fit.
std::optional<long long> ParseInteger(std::string_view text);
