// velmor-headless: the game without a window, driven by text commands on
// standard input, or playing by itself as a soak test.
//
//   velmor-headless [--seed N]                 commands from standard input
//   velmor-headless --autoplay GAMES [--seed N] [--no-compose]
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/Crt.h"
#include "tools/headless/Autoplay.h"
#include "tools/headless/HeadlessGame.h"
#include "tools/headless/ScriptRunner.h"

namespace {

struct Options {
    std::optional<std::int64_t> seed;
    std::optional<int> autoplayGames;
    bool compose = true;
};

int Usage(const std::string& why) {
    std::cerr << "velmor-headless: " << why << '\n'
              << "usage: velmor-headless [--seed N]\n"
              << "       velmor-headless --autoplay GAMES [--seed N] [--no-compose]\n";
    return CScriptRunner::kExitBadInput;
}

// The options, or the reason they are refused.
std::optional<std::string> ParseOptions(int argc, char** argv, Options& options) {
    for (int index = 1; index < argc; ++index) {
        const std::string_view argument = argv[index];
        const bool hasValue = index + 1 < argc;
        if (argument == "--seed") {
            const auto value = hasValue ? ParseInteger(argv[++index]) : std::nullopt;
            if (!value) return "--seed needs an integer";
            options.seed = *value;
        } else if (argument == "--autoplay") {
            const auto value = hasValue ? ParseInteger(argv[++index]) : std::nullopt;
            if (!value || *value < 0 || *value > 100000000) return "--autoplay needs a number of games";
            options.autoplayGames = static_cast<int>(*value);
        } else if (argument == "--no-compose") {
            options.compose = false;
        } else {
            return "unknown argument \"" + std::string(argument) + "\"";
        }
    }
    if (!options.compose && !options.autoplayGames) return "--no-compose goes with --autoplay";
    return std::nullopt;
}

int RunAutoplay(const Options& options) {
    AutoplaySettings settings;
    settings.games = *options.autoplayGames;
    settings.firstSeed = options.seed ? *options.seed : crt::time();
    settings.composition = options.compose ? CHeadlessGame::Composition::compose : CHeadlessGame::Composition::skip;
    const AutoplayResult result = Autoplay(settings);
    PrintAutoplayResult(result, std::cout);
    return result.failure.empty() ? 0 : 1;
}

int RunCommands(const Options& options) {
    std::unique_ptr<CHeadlessGame> game;
    {
        // The clock reads the seed while the game is built, as at start-up.
        const crt::ScopedClock clock(options.seed);
        game = std::make_unique<CHeadlessGame>();
    }
    game->StartGame();
    game->DrawAll();  // the first paint of the shown window
    CScriptRunner runner(*game, std::cout);
    return runner.Run(std::cin, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const auto failure = ParseOptions(argc, argv, options);
    if (failure) return Usage(*failure);
    return options.autoplayGames ? RunAutoplay(options) : RunCommands(options);
}
