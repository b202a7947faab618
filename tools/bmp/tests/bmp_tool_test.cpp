// The picture tool on files: the conformance folder, where the reader's verdicts and the decoded pixels are
// checked against the folder's table and reference pictures; small pictures built here; and `check` on the game's own
// pictures, changed in ways the game can live with or broken one way each.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "gfx/DIB.h"
#include "gfx/tests/BmpBuilder.h"
#include "tests/support/Files.h"
#include "tools/bmp/BmpTool.h"

namespace {

// The command run in place, its output and errors as a program's.
ProgramRun RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream output;
    std::ostringstream errors;
    const int status = RunBmpTool(arguments, output, errors);
    return {status, output.str(), errors.str()};
}

const std::filesystem::path kConformanceFolder = VELMOR_BMP_TESTDATA;

// "key: value" lines of `info`.
std::map<std::string, std::string> Fields(const std::string& text) {
    std::map<std::string, std::string> fields;
    for (const std::string& line : Lines(text)) {
        const auto colon = line.find(": ");
        if (colon != std::string::npos) fields.emplace(line.substr(0, colon), line.substr(colon + 2));
    }
    return fields;
}

// The `info` field of each column of the conformance folder's expected.tsv between the file and the reason ("-": the
// field is not printed).
const char* const kInfoFields[] = {"verdict", "width", "height", "bit count", "colour count"};

// `info` reports the table's verdict, fields and reason; `topnm` writes the
// reference picture byte for byte, or refuses.
TEST(BmpToolConformance, EveryPictureAsTheTableSays) {
    const std::vector<std::string> lines = Lines(ReadText(kConformanceFolder / "expected.tsv"));
    ASSERT_GT(lines.size(), 1u);
    for (std::size_t line = 1; line < lines.size(); ++line) {  // the first names the columns
        std::vector<std::string> row = Lines(lines[line], '\t');
        row.resize(std::size(kInfoFields) + 2);
        const std::string& file = row[0];
        const std::string& reason = row.back();
        if (file.empty()) continue;
        SCOPED_TRACE(file);
        const bool accepted = row[1] == "accept";
        const std::string path = (kConformanceFolder / file).string();
        const ProgramRun info = RunTool({"info", path});
        auto fields = Fields(info.output);
        EXPECT_EQ(info.exitCode, accepted ? 0 : 1);
        for (std::size_t column = 1; column <= std::size(kInfoFields); ++column) {
            const std::string expected = row[column] == "-" ? "" : row[column];
            EXPECT_EQ(fields[kInfoFields[column - 1]], expected) << kInfoFields[column - 1];
        }
        EXPECT_EQ(fields[accepted ? "note" : "reason"], reason);

        const ProgramRun convert = RunTool({"topnm", path});
        if (!accepted) {
            CDIB kept;  // a refused file leaves the picture as it was
            kept.Create(3, 2);
            EXPECT_FALSE(kept.Load(path.c_str()));
            EXPECT_EQ(kept.ImageWidth(), 3);
            EXPECT_EQ(convert.exitCode, 1);
            continue;
        }
        EXPECT_EQ(convert.exitCode, 0) << convert.errors;
        const std::string reference = ReadText(kConformanceFolder / "ref" / (file.substr(0, file.size() - 4) + ".ppm"));
        ASSERT_FALSE(reference.empty());
        ASSERT_EQ(convert.output.size(), reference.size());
        const auto difference = std::mismatch(convert.output.begin(), convert.output.end(), reference.begin());
        EXPECT_TRUE(difference.first == convert.output.end())
            << "first differing byte at offset " << (difference.first - convert.output.begin());
    }
}

TEST(BmpToolResave, WritesTheWindowsFormWithTheSamePixels) {
    const CScratchFolder folder;
    const std::string input = folder / "os2.bmp";
    const std::string output = folder / "out.bmp";
    WriteWholeFile(input, BuildBmp({.core = true, .width = 5, .bitCount = 4}));
    ASSERT_EQ(RunTool({"resave", input, output}).exitCode, 0);
    EXPECT_EQ(ReadText(output).substr(10, 5), std::string("\x36\x04\0\0\x28", 5));  // bfOffBits 1078, biSize 40
    EXPECT_EQ(RunTool({"topnm", output}).output, RunTool({"topnm", input}).output);
}

TEST(BmpToolErrors, BadInputGivesOneLineAndAFailingStatus) {
    const CScratchFolder folder;
    const std::string missing = folder / "missing.bmp";
    const std::string good = folder / "good.bmp";
    WriteWholeFile(good, BuildBmp({.width = 1, .height = 1, .bitCount = 24}));
    const std::string unwritable = folder / "no-such-folder/out.bmp";
    // Every problem of the header is named, as the reader gives them.
    const std::string refused = folder / "refused.bmp";
    WriteWholeFile(refused,
                   BuildBmp({.width = -1, .bitCount = 7, .colours = std::vector<RGBQUAD>(256), .pixels = {0}}));
    struct Case {
        std::vector<std::string> command;
        std::string subject;  // the file the one line is about
    };
    std::vector<Case> cases = {{{"info", missing}, missing},
                               {{"topnm", missing}, missing},
                               {{"topnm", folder.Path().string()}, folder.Path().string()},
                               {{"resave", missing, folder / "out.bmp"}, missing},
                               {{"resave", good, unwritable}, unwritable},
                               {{"info", refused}, ""},
                               {{"topnm", refused}, refused}};
    // A full disk: the device refuses every write.
    if (std::filesystem::exists("/dev/full")) cases.push_back({{"resave", good, "/dev/full"}, "/dev/full"});
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.command[0] + " " + testCase.command[1]);
        const ProgramRun result = RunTool(testCase.command);
        EXPECT_EQ(result.exitCode, 1);
        if (testCase.subject.empty()) continue;  // info describes what it could read
        EXPECT_TRUE(result.output.empty());
        const auto lines = Lines(result.errors);
        ASSERT_EQ(lines.size(), 1u) << result.errors;
        EXPECT_EQ(lines[0].rfind(testCase.subject + ": ", 0), 0u) << lines[0];
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bmp"));
    EXPECT_EQ(Fields(RunTool({"info", refused}).output)["reason"], "width -1; bit count 7");
}

// The program itself: its exit statuses and an unaltered binary stdout.
TEST(BmpToolProgram, ExitStatusesAndBinaryOutput) {
    const CScratchFolder folder;
    const std::string picture = folder / "picture.bmp";
    WriteWholeFile(picture,
                   BuildBmp({.width = 2, .height = 1, .bitCount = 24, .pixels = {10, 13, 0, 26, 255, 13, 0, 0}}));
    const auto run = [&](const std::string& arguments) { return RunCommand("'" VELMOR_BMP_EXE "' " + arguments, "."); };
    const ProgramRun converted = run("topnm '" + picture + "'");
    EXPECT_EQ(converted.exitCode, 0);
    EXPECT_EQ(converted.output, RunTool({"topnm", picture}).output);
    EXPECT_EQ(run("").exitCode, 2);
}

// Loads a picture, lets `change` alter it and saves it again.
void Change(const std::string& path, const std::function<void(CDIB&)>& change) {
    CDIB picture;
    ASSERT_TRUE(picture.Load(path.c_str()));
    change(picture);
    ASSERT_TRUE(picture.Save(path.c_str()));
}

// Makes the picture anew at another size, with its colour table.
void Resize(const std::string& path, int width, int height) {
    CDIB old;
    CDIB picture;
    ASSERT_TRUE(old.Load(path.c_str()));
    ASSERT_TRUE(picture.Create(width, height));
    std::copy_n(old.GetColorTable(), 256, picture.GetColorTable());
    ASSERT_TRUE(picture.Save(path.c_str()));
}

// Columns from `left` up to `right` take the index.
void Fill(CDIB& picture, int left, int right, BYTE index) {
    for (int y = 0; y < picture.ImageHeight(); ++y)
        for (int x = left; x < right; ++x) *picture.GetPixelAddress(x, y) = index;
}

// The game's pictures, with or without their 2x twins (which would no longer match a changed picture).
void CopyPictures(const CScratchFolder& folder, bool twins) {
    ASSERT_TRUE(CopyGamePictures(folder.Path()));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        if (!twins && entry.path().filename().string().ends_with("@2x.bmp")) std::filesystem::remove(entry.path());
    }
}

// The last line of `check`: the verdict on the folder.
std::string Verdict(const std::string& folder, std::size_t problems) {
    if (problems == 0) return folder + ": usable picture folder";
    const std::string noun = problems == 1 ? " problem" : " problems";
    return folder + ": not usable (" + std::to_string(problems) + noun + ")";
}

// Each problem gets its own line (compared up to the picture's own values).  A 2x twin must match its 1x picture;
// a picture without a twin is fine, a twin without its picture is not.
TEST(BmpToolCheck, EachProblemGetsItsOwnLine) {
    const struct {
        std::vector<std::string> problems;
        bool twins;
        std::function<void(const CScratchFolder&)> breakFolder;
    } cases[] = {
        // Colours the balls do not use may differ from the board's; previews may have any depth and only have to fit.
        {{},
         false,
         [](auto& folder) {
             Change(folder / "2.bmp", [](CDIB& ball) {
                 std::set<BYTE> used;
                 for (int y = 0; y < 40; ++y)
                     for (int x = 0; x < 80; ++x) used.insert(*ball.GetPixelAddress(x, y));
                 BYTE unused = 0;
                 while (used.count(unused) != 0) ++unused;
                 ball.GetColorTable()[unused] = {1, 2, 3, 0};
             });
             Resize(folder / "6-d.bmp", 40, 45);
             WriteWholeFile(folder / "1-d.bmp", BuildBmp({.width = 30, .height = 30, .bitCount = 24}));
         }},
        {{"4-d.bmp: missing"}, false, [](auto& folder) { std::filesystem::remove(folder / "4-d.bmp"); }},
        {{"pole.bmp: 200x200, must be 360x360 (9x9 cells of 40 pixels)"},
         false,
         [](auto& folder) { Resize(folder / "pole.bmp", 200, 200); }},
        {{"3.bmp: 124-byte header (V5) is not read; save as a Windows BMP with a 40-byte header"},
         false,
         [](auto& folder) {
             WriteWholeFile(folder / "3.bmp", BuildBmp({.headerSize = 124, .width = 80, .height = 40}));
         }},
        {{"5.bmp: 24 bits per pixel, must be 8 (balls are copied into the board byte by byte)"},
         false,
         [](auto& folder) { WriteWholeFile(folder / "5.bmp", BuildBmp({.width = 80, .height = 40, .bitCount = 24})); }},
        {{"1.bmp: colour table differs from pole.bmp's at 1 index(es) the ball uses (first "},
         false,
         [](auto& folder) {
             Change(folder / "1.bmp",
                    [](CDIB& ball) { ball.GetColorTable()[*ball.GetPixelAddress(20, 20)].rgbBlue ^= 0x80; });
         }},
        {{"2.bmp: the centre (60,20) of the selected frame has index "},
         false,
         [](auto& folder) {
             Change(folder / "2.bmp", [](CDIB& ball) { Fill(ball, 40, 80, *ball.GetPixelAddress(0, 0)); });
         }},
        {{"6.bmp: every pixel has index 6, the transparent index set by the top-left pixel, so no ball is drawn"},
         false,
         [](auto& folder) { Change(folder / "6.bmp", [](CDIB& ball) { Fill(ball, 0, 80, 6); }); }},
        {{"2-d.bmp: 41x40, must be at most 40x45 to fit its place above the board"},
         false,
         [](auto& folder) { Resize(folder / "2-d.bmp", 41, 40); }},
        {{}, true, [](auto& folder) { std::filesystem::remove(folder / "3@2x.bmp"); }},
        {{"1@2x.bmp: 80x40, must be 160x80, twice 1.bmp (two 80x80 frames side by side)"},
         true,
         [](auto& folder) { Resize(folder / "1@2x.bmp", 80, 40); }},
        {{"pole@2x.bmp: colour table differs from pole.bmp's at 1 index(es) (first 200: "},
         true,
         [](auto& folder) {
             Change(folder / "pole@2x.bmp", [](CDIB& board) { board.GetColorTable()[200].rgbRed ^= 1; });
         }},
        {{"2@2x.bmp: the top-left pixel has index 3, must be 0, the transparent index of 2.bmp"},
         true,
         [](auto& folder) { Change(folder / "2@2x.bmp", [](CDIB& ball) { *ball.GetPixelAddress(0, 0) = 3; }); }},
        {{"5-d.bmp: missing", "5-d@2x.bmp: its 1x twin 5-d.bmp is missing; a 2x picture is used only beside it"},
         true,
         [](auto& folder) { std::filesystem::remove(folder / "5-d.bmp"); }},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.problems.empty() ? "usable" : testCase.problems[0]);
        const CScratchFolder folder;
        CopyPictures(folder, testCase.twins);
        testCase.breakFolder(folder);
        const ProgramRun result = RunTool({"check", folder.Path().string()});
        const std::vector<std::string> lines = Lines(result.output);
        EXPECT_EQ(result.exitCode, testCase.problems.empty() ? 0 : 1);
        ASSERT_EQ(lines.size(), testCase.problems.size() + 1) << result.output;
        for (std::size_t i = 0; i < testCase.problems.size(); ++i) {
            EXPECT_TRUE(lines[i].starts_with(testCase.problems[i])) << lines[i];
        }
        EXPECT_EQ(lines.back(), Verdict(folder.Path().string(), testCase.problems.size()));
    }
}

}  // namespace
