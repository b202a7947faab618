// The picture tool on files: the shared conformance folder, where the
// reader's verdicts and the decoded pixels are checked against the folder's
// table and reference pictures, and small pictures built here.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "gfx/DIB.h"
#include "tools/bmp/tests/TestPictures.h"

using namespace testpictures;

namespace {

const std::filesystem::path kConformanceFolder = VELMOR_BMP_TESTDATA;

// The rows of the conformance folder's expected.tsv.
struct ExpectedRow {
    std::string file, verdict, width, height, bitCount, colours, reason;
};
std::vector<ExpectedRow> ReadExpectedRows() {
    std::vector<ExpectedRow> rows;
    const std::vector<std::string> lines = Lines(ReadText(kConformanceFolder / "expected.tsv"));
    for (std::size_t line = 1; line < lines.size(); ++line) {  // the first names the columns
        std::vector<std::string> f;
        std::istringstream stream(lines[line]);
        for (std::string field; std::getline(stream, field, '\t');) f.push_back(field);
        f.resize(7);
        if (!f[0].empty()) rows.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
    }
    return rows;
}

// "key: value" lines of `info`.
std::map<std::string, std::string> Fields(const std::string& text) {
    std::map<std::string, std::string> fields;
    for (const std::string& line : Lines(text)) {
        const auto colon = line.find(": ");
        if (colon != std::string::npos) fields.emplace(line.substr(0, colon), line.substr(colon + 2));
    }
    return fields;
}

// `info` reports the table's verdict, fields and reason; `topnm` writes the
// reference picture byte for byte, or refuses with the same reason.
TEST(BmpToolConformance, EveryPictureAsTheTableSays) {
    const auto rows = ReadExpectedRows();
    ASSERT_GT(rows.size(), 0u);
    for (const ExpectedRow& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string path = (kConformanceFolder / row.file).string();
        const ToolResult info = RunTool({"info", path});
        auto fields = Fields(info.out);
        EXPECT_EQ(fields["verdict"], row.verdict);
        EXPECT_EQ(info.status, row.verdict == "accept" ? 0 : 1);
        EXPECT_EQ(fields["width"], row.width == "-" ? "" : row.width);
        if (row.width != "-") {
            EXPECT_EQ((std::vector<std::string>{fields["height"], fields["bit count"], fields["colour count"]}),
                      (std::vector<std::string>{row.height, row.bitCount, row.colours}));
        }
        EXPECT_EQ(fields[row.verdict == "accept" ? "note" : "reason"], row.reason);

        const ToolResult convert = RunTool({"topnm", path});
        if (row.verdict == "reject") {
            CDIB kept;  // a refused file leaves the picture as it was
            kept.Create(3, 2);
            EXPECT_FALSE(kept.Load(path.c_str()));
            EXPECT_EQ(kept.ImageWidth(), 3);
            EXPECT_EQ(convert.status, 1);
            EXPECT_TRUE(convert.out.empty());
            EXPECT_EQ(Lines(convert.err).size(), 1u) << convert.err;
            continue;
        }
        EXPECT_EQ(convert.status, 0) << convert.err;
        const std::string reference = ReadText(kConformanceFolder / "ref" /
                                               (row.file.substr(0, row.file.size() - 4) + ".ppm"));
        ASSERT_FALSE(reference.empty());
        ASSERT_EQ(convert.out.size(), reference.size());
        const auto difference = std::mismatch(convert.out.begin(), convert.out.end(), reference.begin());
        EXPECT_TRUE(difference.first == convert.out.end())
            << "first differing byte at offset " << (difference.first - convert.out.begin());
    }
}

TEST(BmpToolResave, WritesTheWindowsFormWithTheSamePixels) {
    const CScratchFolder folder;
    const std::string input = folder / "os2.bmp";
    const std::string output = folder / "out.bmp";
    WriteWholeFile(input, BuildBmp({.core = true, .width = 5, .bitCount = 4}));
    ASSERT_EQ(RunTool({"resave", input, output}).status, 0);
    const std::string written = ReadText(output);
    ASSERT_GE(written.size(), 1078u);
    EXPECT_EQ(written[10], '\x36');  // bfOffBits 1078 = 0x436
    EXPECT_EQ(written[11], '\x04');
    EXPECT_EQ(written[14], 40);  // biSize
    EXPECT_EQ(RunTool({"topnm", output}).out, RunTool({"topnm", input}).out);
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
    std::vector<Case> cases = {
        {{"info", missing}, missing},
        {{"topnm", missing}, missing},
        {{"topnm", folder.Path().string()}, folder.Path().string()},
        {{"resave", missing, folder / "out.bmp"}, missing},
        {{"resave", good, unwritable}, unwritable},
        {{"info", refused}, ""},
        {{"topnm", refused}, refused},
    };
    // A full disk: the device refuses every write.
    if (std::filesystem::exists("/dev/full")) cases.push_back({{"resave", good, "/dev/full"}, "/dev/full"});
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.command[0] + " " + testCase.command[1]);
        const ToolResult result = RunTool(testCase.command);
        EXPECT_EQ(result.status, 1);
        if (testCase.subject.empty()) continue;  // info describes what it could read
        EXPECT_TRUE(result.out.empty());
        const auto lines = Lines(result.err);
        ASSERT_EQ(lines.size(), 1u) << result.err;
        EXPECT_EQ(lines[0].rfind(testCase.subject + ": ", 0), 0u) << lines[0];
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bmp"));
    EXPECT_EQ(RunTool({"info", missing}).err, missing + ": cannot be read (No such file or directory)\n");
    EXPECT_EQ(Fields(RunTool({"info", refused}).out)["reason"], "width -1; bit count 7");
    EXPECT_EQ(RunTool({"topnm", refused}).err, refused + ": refused (width -1; bit count 7)\n");
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
    EXPECT_EQ(converted.output, RunTool({"topnm", picture}).out);
    const ProgramRun missing = run("info '" + (folder / "missing.bmp") + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(Lines(missing.errors).size(), 1u);
    EXPECT_EQ(run("").exitCode, 2);
}

}  // namespace
