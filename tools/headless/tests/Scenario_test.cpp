// velmor-headless on command scripts (the protocol examples and our own): output, exit status and records file
// against the files beside each script; then the driver's own input handling and the soak test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>

#include "platform/core/Crt.h"
#include "tests/support/Files.h"

namespace fs = std::filesystem;

namespace {

// Runs the driver in `folder` with `arguments` and `input` on its standard input.
ProgramRun RunHeadless(const fs::path& folder, const std::string& arguments, const std::string& input) {
    return RunCommand("'" VELMOR_HEADLESS_PROGRAM "' " + arguments, folder, input);
}

// A scratch folder whose res1/ holds the game's pictures.
class RunFolder : public CScratchFolder {
public:
    RunFolder() { EXPECT_TRUE(CopyGamePictures(Res(""))); }
    fs::path Res(const std::string& name) const { return Path() / "res1" / name; }
};

// The time fields of a record (hour, minute, day, month, year, each padded
// with blanks) for every minute from start to end.
std::set<std::string> RecordTimes(std::int64_t start, std::int64_t end) {
    std::set<std::string> times;
    for (std::int64_t seconds = start; seconds <= end + 60; seconds += 30) {
        const crt::LocalTime local = crt::ToLocalTime(std::min(seconds, end));
        char text[64];
        std::snprintf(text, sizeof text, "%-3d%-3d%-3d%-3d%-4d", local.hour, local.minute, local.day, local.month,
                      local.year);
        times.insert(text);
    }
    return times;
}

// The output with every record time of the run written as the expected files write it: "{HH}|{MM}|{DD}|{MO}|{YYYY}".
std::string WithTimePlaceholders(std::string output, const std::set<std::string>& runTimes) {
    for (const std::string& time : runTimes) {
        std::string shown = time;
        for (const std::size_t at : {12u, 9u, 6u, 3u}) shown.insert(at, "|");
        for (std::size_t at = output.find(shown); at != std::string::npos; at = output.find(shown, at))
            output.replace(at, shown.size(), "{HH}|{MM}|{DD}|{MO}|{YYYY}");
    }
    return output;
}

// The records file with each masked range ("OFFSET LENGTH" per line) taken
// from the expected file, once it is checked to hold a time of the run.
std::string WithMaskedTimes(std::string actual, const std::string& expected, const std::string& mask,
                            const std::set<std::string>& runTimes) {
    std::istringstream ranges(mask);
    std::size_t offset = 0;
    std::size_t length = 0;
    while (ranges >> offset >> length) {
        if (offset + length > expected.size()) break;
        EXPECT_EQ(runTimes.count(actual.substr(std::min(offset, actual.size()), length)), 1u) << "offset " << offset;
        actual.replace(std::min(offset, actual.size()), length, expected, offset, length);
    }
    return actual;
}

// The value of a "# key:" header line of a script, or the fallback.
std::string Header(const std::string& script, const std::string& key, const std::string& fallback) {
    for (const std::string& line : Lines(script))
        if (line.rfind("# " + key + ":", 0) == 0) return line.substr(key.size() + 3);
    return fallback;
}

// The driver's protocol examples and our own scenarios, both kept in the repository.
const fs::path kScriptFolders[] = {VELMOR_EXAMPLES_DIR, VELMOR_SCENARIO_DIR};

// The command scripts of `folder`, sorted; none when it is missing.
std::vector<fs::path> ScriptsIn(const fs::path& folder) {
    std::vector<fs::path> scripts;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".txt") scripts.push_back(entry.path());
    }
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

// A folder of scripts that is missing or empty fails here instead of running nothing.
TEST(ScenarioData, EveryScriptFolderHoldsScripts) {
    for (const fs::path& folder : kScriptFolders) EXPECT_FALSE(ScriptsIn(folder).empty()) << folder;
}

class ScenarioTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(ScenarioTest, MatchesExpectedOutput) {
    const fs::path script = GetParam();
    const auto beside = [&script](const char* suffix) { return fs::path(script).replace_extension(suffix); };
    RunFolder folder;
    if (fs::exists(beside(".stat.in"))) fs::copy_file(beside(".stat.in"), folder.Res("stat.txt"));
    const std::string commands = ReadText(script);
    std::istringstream missing(Header(commands, "missing", ""));  // pictures the scenario runs without
    for (std::string file; missing >> file;) fs::remove(folder.Res(file));

    const std::int64_t started = crt::time();
    const ProgramRun run = RunHeadless(folder.Path(), Header(commands, "args", ""), commands);
    const std::set<std::string> runTimes = RecordTimes(started, crt::time());

    EXPECT_EQ(run.exitCode, std::stoi(Header(commands, "exit", "0"))) << run.errors;
    EXPECT_EQ(WithTimePlaceholders(run.output, runTimes), ReadText(beside(".out")));
    if (fs::exists(beside(".stat.out"))) {
        const std::string expected = ReadText(beside(".stat.out"));
        EXPECT_EQ(WithMaskedTimes(ReadText(folder.Res("stat.txt")), expected, ReadText(beside(".stat.mask")), runTimes),
                  expected);
    }
}

// Script names are letters, digits and underscores.
INSTANTIATE_TEST_SUITE_P(Examples, ScenarioTest, ::testing::ValuesIn(ScriptsIn(VELMOR_EXAMPLES_DIR)),
                         [](const auto& script) { return script.param.stem().string(); });
INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, ::testing::ValuesIn(ScriptsIn(VELMOR_SCENARIO_DIR)),
                         [](const auto& script) { return script.param.stem().string(); });

// Bad input stops the driver at once with status 2 and names the line.
TEST(DriverInput, RefusesBadLinesAndArguments) {
    const std::pair<const char*, const char*> badLines[] = {{"click 1", "two integers"},
                                                            {"click 1.5 2", "two integers"},
                                                            {"click 99999999999 2", "out of range"},
                                                            {"new soon", "integer"},
                                                            {"new 1 2", "at most one"},
                                                            {"dump now", "no arguments"},
                                                            {"snapshot", "file name"},
                                                            {"snapshot no/such/folder/x.bmp", "cannot write"}};
    RunFolder folder;
    for (const auto& [line, reason] : badLines) {
        SCOPED_TRACE(line);
        const std::string input = std::string("# first\n\nscores\n") + line + "\ndump\n";
        const ProgramRun run = RunHeadless(folder.Path(), "--seed 5", input);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errors.rfind("velmor-headless: line 4: ", 0), 0u) << run.errors;
        EXPECT_NE(run.errors.find(reason), std::string::npos) << run.errors;
    }
    for (const char* arguments : {"--seed", "--seed x", "--bogus", "--autoplay", "--no-compose"})
        EXPECT_EQ(RunHeadless(folder.Path(), arguments, "").exitCode, 2) << arguments;
    // Signs, carriage returns, empty names and indented comments are fine.
    const ProgramRun run = RunHeadless(folder.Path(), "--seed +7", "click -5 +60\r\nname\r\n  # indented\ndump\r\n");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.output.find("draws 1\n"), std::string::npos);
}

// The soak test: whole games, board and sprites checked after every click.
TEST(Autoplay, PlaysWholeGamesWithBoardAndSpritesInStep) {
    RunFolder folder;
    WriteWholeFile(folder.Res("stat.txt"), "");
    const ProgramRun run = RunHeadless(folder.Path(), "--autoplay 30 --seed 20240601", "");
    EXPECT_EQ(run.exitCode, 0) << run.output << run.errors;
    EXPECT_NE(run.output.find("games 30\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("failure"), std::string::npos) << run.output;
    EXPECT_EQ(fs::file_size(folder.Res("stat.txt")), 0u);  // bot games leave the records alone
    // The seeds of later games wrap around at the top of the range.
    EXPECT_NE(RunHeadless(folder.Path(), "--autoplay 2 --seed 9223372036854775807", "").output.find("games 2\n"),
              std::string::npos);
}

}  // namespace
