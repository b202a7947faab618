// What the command line may ask for, and what it refuses.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

TEST(CommandLineTest, OptionsAreReadOrRefused) {
    using Action = CommandLine::Action;
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        std::optional<std::uint32_t> seed;
        std::string screenshot;
    };
    const Case cases[] = {
        {{"--seed=4294967295"}, Action::play, 4294967295u, ""},
        {{"--seed", "4294967296"}, Action::error, std::nullopt, ""},
        {{"--seed", "-1"}, Action::error, std::nullopt, ""},
        {{"--seed", "12x"}, Action::error, std::nullopt, ""},
        {{"--seed"}, Action::error, std::nullopt, ""},
        {{"--screenshot", "a.png", "--seed", "3"}, Action::play, 3u, "a.png"},
        {{"--screenshot"}, Action::error, std::nullopt, ""},
        {{"--seed", "3", "--version"}, Action::version, 3u, ""},
        {{"-h"}, Action::help, std::nullopt, ""},
        {{"--colour"}, Action::error, std::nullopt, ""},
        // Options of the window system are left to it.
        {{"-display", ":1"}, Action::play, std::nullopt, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::PrintToString(test.arguments));
        const CommandLine parsed = ParseCommandLine(test.arguments);
        EXPECT_EQ(parsed.action, test.action);
        if (test.action == Action::error) {
            EXPECT_FALSE(parsed.error.empty());
            continue;
        }
        EXPECT_EQ(parsed.seed, test.seed);
        EXPECT_EQ(parsed.screenshotFile, test.screenshot);
    }
}
