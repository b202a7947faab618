// Runs velmor-headless on command scripts and compares what it prints, its
// exit status and the records file it leaves, with the expected files
// beside each script: the shared examples, and scripts of our own.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "game/tests/PictureFixture.h"
#include "gfx/DIB.h"
#include "platform/core/Crt.h"
#include "tools/headless/tests/ScenarioSupport.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> Scripts() {
    std::vector<fs::path> scripts;
    for (const fs::path& folder : {fs::path(VELMOR_TESTDATA_DIR) / "headless", fs::path(VELMOR_SCENARIO_DIR)}) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            if (entry.path().extension() == ".txt") scripts.push_back(entry.path());
        }
    }
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

// The value of a "# key:" header line, or the fallback.
std::string Header(const std::string& script, const std::string& key, const std::string& fallback) {
    std::istringstream lines(script);
    std::string line;
    const std::string prefix = "# " + key + ":";
    while (std::getline(lines, line)) {
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    }
    return fallback;
}

fs::path Beside(const fs::path& script, const std::string& suffix) {
    return script.parent_path() / (script.stem().string() + suffix);
}

class ScenarioTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(ScenarioTest, MatchesExpectedOutput) {
    const fs::path script = GetParam();
    CScratchFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    ASSERT_TRUE(PreparePictures(folder.Path() / "res1", fs::path(VELMOR_RUN_DIR) / "res1"));
    if (fs::exists(Beside(script, ".stat.in"))) fs::copy_file(Beside(script, ".stat.in"), folder.Path() / "res1/stat.txt");
    const std::string commands = ReadWholeFile(script);
    std::istringstream missing(Header(commands, "missing", ""));  // pictures the scenario runs without
    for (std::string file; missing >> file;) fs::remove(folder.Path() / "res1" / file);

    const std::int64_t started = crt::time();
    const ProgramRun run = RunHeadless(folder.Path(), Header(commands, "args", ""), commands);
    const std::set<std::string> runTimes = RecordTimes(started, crt::time());

    EXPECT_EQ(run.exitStatus, std::stoi(Header(commands, "exit", "0"))) << run.errors;
    const std::string difference = CompareOutput(ReadWholeFile(Beside(script, ".out")), run.output, runTimes);
    EXPECT_TRUE(difference.empty()) << difference;
    if (fs::exists(Beside(script, ".stat.out"))) {
        const std::string records = CompareRecordsFile(ReadWholeFile(Beside(script, ".stat.out")),
                                                       ReadWholeFile(folder.Path() / "res1/stat.txt"),
                                                       ReadWholeFile(Beside(script, ".stat.mask")), runTimes);
        EXPECT_TRUE(records.empty()) << records;
    }
}

std::string ScriptName(const ::testing::TestParamInfo<fs::path>& info) {
    std::string name = info.param.stem().string();
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScenarioTest, ::testing::ValuesIn(Scripts()), ScriptName);

TEST(SharedExamples, ArePresent) {
    if (!fs::exists(fs::path(VELMOR_TESTDATA_DIR) / "headless")) {
        GTEST_SKIP() << "no shared examples at " << VELMOR_TESTDATA_DIR << "/headless";
    }
    SUCCEED();
}

// Bad input stops the driver at once with status 2 and names the line.
TEST(DriverErrors, StopAtTheFirstBadLine) {
    struct BadLine {
        const char* line;
        const char* reason;
    };
    const BadLine badLines[] = {
        {"jump 3 4", "unknown command"},       {"click 1", "two integers"},
        {"click 1 2 3", "two integers"},       {"click x 2", "two integers"},
        {"click 1.5 2", "two integers"},       {"click 99999999999 2", "out of range"},
        {"new soon", "integer"},               {"new 1 2", "at most one"},
        {"dump now", "no arguments"},          {"remake 1", "no arguments"},
        {"snapshot", "file name"},             {"snapshot no/such/folder/x.bmp", "cannot write"},
    };
    CScratchFolder folder;
    ASSERT_TRUE(PreparePictures(folder.Path() / "res1", fs::path(VELMOR_RUN_DIR) / "res1"));
    for (const BadLine& bad : badLines) {
        SCOPED_TRACE(bad.line);
        const ProgramRun run = RunHeadless(folder.Path(), "--seed 5", std::string("# first\n\nscores\n") + bad.line + "\ndump\n");
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errors.rfind("velmor-headless: line 4: ", 0), 0u) << run.errors;
        EXPECT_NE(run.errors.find(bad.reason), std::string::npos) << run.errors;
    }
    for (const char* arguments : {"--seed", "--seed x", "--bogus", "--autoplay", "--no-compose"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(RunHeadless(folder.Path(), arguments, "").exitStatus, 2);
    }
}

// The snapshot is the composed board, the selected ball in its second frame.
TEST(DriverInput, SnapshotSavesTheComposedBoard) {
    CScratchFolder folder;
    ASSERT_TRUE(WritePictureFixture(folder.Path() / "res1"));
    const ProgramRun run = RunHeadless(folder.Path(), "--seed 1742090880", "click 180 190\nsnapshot shot.bmp\ndump\n");
    ASSERT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_NE(run.output.find("draws 2\n"), std::string::npos);  // a snapshot is no redraw
    CDIB shot;
    ASSERT_TRUE(shot.Load((folder.Path() / "shot.bmp").string().c_str()));
    EXPECT_EQ(*shot.GetPixelAddress(4 * 40 + 20, 3 * 40 + 20), BallIndex(6, 1));
    EXPECT_EQ(*shot.GetPixelAddress(3 * 40 + 20, 7 * 40 + 20), BallIndex(3, 0));
}

TEST(DriverInput, AcceptsSignsCarriageReturnsAndEmptyNames) {
    CScratchFolder folder;
    ASSERT_TRUE(PreparePictures(folder.Path() / "res1", fs::path(VELMOR_RUN_DIR) / "res1"));
    const ProgramRun run = RunHeadless(folder.Path(), "--seed +7", "click -5 +60\r\nname\r\n  # indented comment\ndump\r\n");
    EXPECT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_NE(run.output.find("draws 1\n"), std::string::npos);
}

// A FIFO, a folder or a dangling link in a picture's or the records file's
// place reads like a missing file, and nothing waits on it.
TEST(DriverInput, SpecialFilesReadLikeMissingOnes) {
    using Put = void (*)(const fs::path&);
    const Put kinds[] = {[](const fs::path&) {},  // missing: the result the others must give
                         [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
                         [](const fs::path& path) { fs::create_directory(path); },
                         [](const fs::path& path) { fs::create_symlink("nowhere.bmp", path); }};
    const auto run = [](const char* file, Put put) {
        CScratchFolder folder;
        EXPECT_TRUE(PreparePictures(folder.Path() / "res1", fs::path(VELMOR_RUN_DIR) / "res1"));
        fs::copy_file(fs::path(VELMOR_SCENARIO_DIR) / "gameover_full_table.stat.in", folder.Path() / "res1/stat.txt");
        fs::remove(folder.Path() / "res1" / file);
        put(folder.Path() / "res1" / file);
        const ProgramRun result = RunHeadless(folder.Path(), "--seed 1742090880",
                                              "click 180 190\nclick 20 70\nsnapshot shot.bmp\ndump\nscores\n");
        return std::to_string(result.exitStatus) + result.output + ReadWholeFile(folder.Path() / "shot.bmp");
    };
    for (const char* file : {"pole.bmp", "2.bmp", "stat.txt"}) {
        SCOPED_TRACE(file);
        const std::string missing = run(file, kinds[0]);
        EXPECT_EQ(missing.substr(0, 6), "0board");
        for (const Put put : kinds) EXPECT_EQ(run(file, put), missing);
    }
}

// The soak test: whole games, board and sprites checked after every click.
TEST(Autoplay, PlaysWholeGamesWithBoardAndSpritesInStep) {
    CScratchFolder folder;
    ASSERT_TRUE(PreparePictures(folder.Path() / "res1", fs::path(VELMOR_RUN_DIR) / "res1"));
    std::ofstream(folder.Path() / "res1/stat.txt").close();
    const ProgramRun run = RunHeadless(folder.Path(), "--autoplay 30 --seed 20240601", "");
    EXPECT_EQ(run.exitStatus, 0) << run.output << run.errors;
    EXPECT_NE(run.output.find("games 30\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("failure"), std::string::npos) << run.output;
    // Bot games leave the records alone.
    EXPECT_EQ(fs::file_size(folder.Path() / "res1/stat.txt"), 0u);
    // The seeds of later games wrap around at the top of the range.
    EXPECT_NE(RunHeadless(folder.Path(), "--autoplay 2 --seed 9223372036854775807", "").output.find("games 2\n"),
              std::string::npos);
}

}  // namespace
