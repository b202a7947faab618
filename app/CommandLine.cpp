#include "app/CommandLine.h"

#include <charconv>

namespace {

std::optional<std::uint32_t> ParseSeed(const std::string& text) {
    std::uint32_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || last != end) return std::nullopt;
    return value;
}

// "--name value" or "--name=value"; advances past what it used.
std::optional<std::string> OptionValue(const std::vector<std::string>& arguments, std::size_t& index,
                                       const std::string& name) {
    const std::string& argument = arguments[index];
    if (argument.rfind(name + "=", 0) == 0) return argument.substr(name.size() + 1);
    if (argument != name) return std::nullopt;
    if (index + 1 >= arguments.size()) return std::string();
    return arguments[++index];
}

CommandLine Fail(std::string message) {
    CommandLine result;
    result.action = CommandLine::Action::error;
    result.error = std::move(message);
    return result;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--version") {
            result.action = CommandLine::Action::version;
            return result;
        }
        if (argument == "--help" || argument == "-h") {
            result.action = CommandLine::Action::help;
            return result;
        }
        // An option with a value may take the next argument too.
        const std::optional<std::string> seed = OptionValue(arguments, index, "--seed");
        if (seed) {
            result.seed = ParseSeed(*seed);
            if (!result.seed) return Fail("--seed needs a whole number from 0 to 4294967295");
            continue;
        }
        const std::optional<std::string> file = OptionValue(arguments, index, "--screenshot");
        if (file) {
            if (file->empty()) return Fail("--screenshot needs a file name");
            result.screenshotFile = *file;
            continue;
        }
        if (argument.rfind("--", 0) == 0) return Fail("unknown option " + argument);
    }
    return result;
}

std::string UsageText() {
    return "Usage: velmor [--seed N]\n"
           "A puzzle game: move balls on a 9 x 9 board and line up five or more of a colour.\n"
           "The game reads its pictures and records from res1/ under the current folder.\n"
           "\n"
           "  --seed N    start the first game from seed N (0 to 4294967295), to replay it\n"
           "  --version   print the version and exit\n"
           "  --help      print this text and exit\n";
}
