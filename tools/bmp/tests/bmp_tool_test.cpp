// The picture tool on files: the shared conformance folder where it is
// present, and small pictures built here everywhere.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sys/wait.h>

#include "tools/bmp/tests/TestPictures.h"

using namespace testpictures;

namespace {

const std::filesystem::path kTestData = VELMOR_BMP_TESTDATA;

struct ExpectedRow {
    std::string file, verdict, width, height, bitCount, colours, reason;
};

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<ExpectedRow> ReadExpected() {
    std::vector<ExpectedRow> rows;
    std::ifstream table(kTestData / "expected.tsv");
    std::string line;
    std::getline(table, line);  // column names
    while (std::getline(table, line)) {
        auto fields = SplitTabs(line);
        fields.resize(7);
        rows.push_back({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]});
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

#define SKIP_WITHOUT_TESTDATA()                                                \
    if (!std::filesystem::exists(kTestData / "expected.tsv"))                  \
    GTEST_SKIP() << "conformance pictures not found at " << kTestData.string() \
                 << " (they sit beside the checkout in ../shared/testdata/bmp); skipped"

TEST(BmpToolConformance, VerdictsAndHeaderFieldsFollowTheTable) {
    SKIP_WITHOUT_TESTDATA();
    const auto rows = ReadExpected();
    ASSERT_GT(rows.size(), 0u);
    for (const ExpectedRow& row : rows) {
        SCOPED_TRACE(row.file);
        const ToolResult result = RunTool({"info", (kTestData / row.file).string()});
        auto fields = Fields(result.out);
        EXPECT_EQ(fields["verdict"], row.verdict);
        EXPECT_EQ(result.status, row.verdict == "accept" ? 0 : 1);
        if (row.width != "-") {
            EXPECT_EQ(fields["width"], row.width);
            EXPECT_EQ(fields["height"], row.height);
            EXPECT_EQ(fields["bit count"], row.bitCount);
            EXPECT_EQ(fields["colour count"], row.colours);
        } else {
            EXPECT_EQ(fields.count("width"), 0u);
        }
        EXPECT_EQ(fields[row.verdict == "accept" ? "note" : "reason"], row.reason);
    }
}

TEST(BmpToolConformance, ConvertedPicturesEqualTheReferences) {
    SKIP_WITHOUT_TESTDATA();
    for (const ExpectedRow& row : ReadExpected()) {
        SCOPED_TRACE(row.file);
        const ToolResult result = RunTool({"topnm", (kTestData / row.file).string()});
        if (row.verdict == "reject") {
            EXPECT_EQ(result.status, 1);
            EXPECT_TRUE(result.out.empty());
            EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
            continue;
        }
        EXPECT_EQ(result.status, 0) << result.err;
        const std::string reference =
            ReadBytes(kTestData / "ref" / (row.file.substr(0, row.file.size() - 4) + ".ppm"));
        ASSERT_FALSE(reference.empty());
        ASSERT_EQ(result.out.size(), reference.size());
        const auto difference = std::mismatch(result.out.begin(), result.out.end(), reference.begin());
        EXPECT_TRUE(difference.first == result.out.end())
            << "first differing byte at offset " << (difference.first - result.out.begin());
    }
}

// The reader's reason, every header problem named: each reason itself is
// in the conformance table.
TEST(BmpToolInfo, RefusalsNameTheReadersReason) {
    const std::string reason = "width -1; bit count 7";
    TempFolder folder;
    const std::string path = folder / "picture.bmp";
    WriteBytes(path, BuildBmp({.width = -1, .bitCount = 7, .colours = std::vector<RGBQUAD>(256), .pixels = {0}}));
    const ToolResult info = RunTool({"info", path});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(Fields(info.out)["verdict"], "reject");
    EXPECT_EQ(Fields(info.out)["reason"], reason);
    const ToolResult convert = RunTool({"topnm", path});
    EXPECT_EQ(convert.status, 1);
    EXPECT_TRUE(convert.out.empty());
    EXPECT_EQ(convert.err, path + ": refused (" + reason + ")\n");
}

TEST(BmpToolResave, WritesTheWindowsFormWithTheSamePixels) {
    TempFolder folder;
    const std::string input = folder / "os2.bmp";
    const std::string output = folder / "out.bmp";
    std::vector<RGBQUAD> colours(16);
    for (std::size_t i = 0; i < 16; ++i) colours[i] = {BYTE(i * 16), BYTE(i), BYTE(255 - i), 0};
    WriteBytes(input,
               Bmp(12, 5, 2, 4, colours, {0x01, 0x23, 0x40, 0, 0xFE, 0xDC, 0xB0, 0}));

    ASSERT_EQ(RunTool({"resave", input, output}).status, 0);
    const std::string written = ReadBytes(output);
    ASSERT_GE(written.size(), 1078u);
    EXPECT_EQ(written[10], '\x36');  // bfOffBits 1078 = 0x436
    EXPECT_EQ(written[11], '\x04');
    EXPECT_EQ(written[14], 40);  // biSize
    EXPECT_EQ(RunTool({"topnm", output}).out, RunTool({"topnm", input}).out);
}

TEST(BmpToolErrors, BadInputGivesOneLineAndAFailingStatus) {
    TempFolder folder;
    const std::string missing = folder / "missing.bmp";
    const std::string good = folder / "good.bmp";
    WriteBytes(good, Bmp(40, 1, 1, 24, {}, {1, 2, 3, 0}));
    const std::string unwritable = folder / "no-such-folder/out.bmp";
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
    };
    // A full disk: the device refuses every write.
    if (std::filesystem::exists("/dev/full")) cases.push_back({{"resave", good, "/dev/full"}, "/dev/full"});
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.command[0] + " " + testCase.command[1]);
        const ToolResult result = RunTool(testCase.command);
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.out.empty());
        const auto lines = Lines(result.err);
        ASSERT_EQ(lines.size(), 1u) << result.err;
        EXPECT_EQ(lines[0].rfind(testCase.subject + ": ", 0), 0u) << lines[0];
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bmp"));
    EXPECT_EQ(RunTool({"info", missing}).err, missing + ": cannot be read (No such file or directory)\n");
}

TEST(BmpToolErrors, UsageErrorsExitWithTwo) {
    const std::vector<std::string> commands[] = {
        {}, {"convert", "x.bmp"}, {"info"}, {"info", "a.bmp", "b.bmp"}, {"resave", "a.bmp"}, {"topnm", ""},
    };
    for (const auto& command : commands) {
        const ToolResult result = RunTool(command);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(result.err.rfind("velmor-bmp: ", 0), 0u) << result.err;
    }
}

// The program itself: its exit statuses and an unaltered binary stdout.
TEST(BmpToolProgram, ExitStatusesAndBinaryOutput) {
    TempFolder folder;
    const std::string picture = folder / "picture.bmp";
    WriteBytes(picture, Bmp(40, 2, 1, 24, {}, {0x0A, 0x0D, 0x00, 0x1A, 0xFF, 0x0D, 0, 0}));
    auto run = [&](const std::string& arguments) {
        const std::string command = std::string("'") + VELMOR_BMP_EXE + "' " + arguments + " >'" +
                                    (folder / "out") + "' 2>'" + (folder / "err") + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("topnm '" + picture + "'"), 0);
    EXPECT_EQ(ReadBytes(folder / "out"), RunTool({"topnm", picture}).out);
    EXPECT_EQ(run("info '" + (folder / "missing.bmp") + "'"), 1);
    EXPECT_EQ(Lines(ReadBytes(folder / "err")).size(), 1u);
    EXPECT_EQ(run(""), 2);
}

}  // namespace
