// The bytes of one record, the rows read back, where a new record goes in the
// file and what the file looks like after.
#include "records/RecordsTable.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "records/RecordRows.h"
#include "records/tests/RecordsTestSupport.h"

namespace {

using namespace std::literals;
using RecordsTableTest = RecordsFolderTest;

TEST_F(RecordsTableTest, RecordsGoToTheirPlaceAndTheFileNeverShortens) {
    const Bytes three = TableOf({50, 30, 30});
    const Bytes ten = TableOf({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
    const Bytes twenty = TableOf({200, 190, 180, 170, 160, 150, 140, 130, 120, 110,
                                  100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
    const Bytes torn = Concat({TableOf({50}), BytesOf("20\0"sv)});

    struct Case {
        const char* what;
        Bytes before;
        int score;
        Bytes after;  // equal to before: not a record, nothing written
    };
    const Case cases[] = {
        {"an empty file takes any score", {}, 125, BytesOf("125\0\0New      9  5  3  3  2007"sv)},
        {"between higher and lower", three, 40,
         Concat({Slice(three, 0, 30), RecordBytes(40, "New"), Slice(three, 30, 60)})},
        {"behind every older equal score", three, 30, Concat({three, RecordBytes(30, "New")})},
        {"above everything", three, 99, Concat({RecordBytes(99, "New"), three})},
        {"the tenth score is not beaten", ten, 10, ten},
        {"the record pushed out stays behind", ten, 200, Concat({RecordBytes(200, "New"), ten})},
        {"ten records move, no more", twenty, 115,
         Concat({Slice(twenty, 0, 270), RecordBytes(115, "New"), Slice(twenty, 270, 300)})},
        {"stray bytes count as a record and move with it", torn, 25,
         Concat({TableOf({50}), RecordBytes(25, "New"), BytesOf("20\0"sv)})},
    };
    for (const Case& add : cases) {
        SCOPED_TRACE(add.what);
        ASSERT_TRUE(WriteWholeFile(m_path, add.before));
        const CRecordsTable table(m_path);
        EXPECT_EQ(table.IsRecord(add.score), add.before != add.after);
        EXPECT_EQ(table.AddRecord(add.score, "New"), add.before != add.after);
        EXPECT_EQ(ReadWholeFile(m_path), add.after);
    }
}

TEST_F(RecordsTableTest, MissingOrStrangeFileIsNeverWritten) {
    const CRecordsTable table(m_path);
    EXPECT_FALSE(table.IsRecord(100));
    EXPECT_FALSE(table.AddRecord(100, "Ghost"));
    EXPECT_TRUE(FolderEntries().empty());

    ASSERT_EQ(::mkdir(m_path.c_str(), 0755), 0);
    EXPECT_FALSE(table.IsRecord(100));
    EXPECT_FALSE(table.AddRecord(100, "Ghost"));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"stat.txt"});

    const CRecordsTable nowhere(m_folder / "no-such-folder/stat.txt");
    EXPECT_FALSE(nowhere.IsRecord(100));
    EXPECT_FALSE(nowhere.AddRecord(100, "Ghost"));
}

TEST_F(RecordsTableTest, NewFileKeepsPermissionsAndLeavesNoTemporaries) {
    ASSERT_TRUE(WriteWholeFile(m_path, TableOf({50})));
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    // Leftovers of a writer that was killed; files merely alike stay.
    WriteWholeFile(m_folder / ".stat.txt.Ab3xYz", "torn");
    WriteWholeFile(m_folder / ".stat.txt.Ab3xYz7", "keep");
    WriteWholeFile(m_folder / "stat.txt.Ab3xYz", "keep");

    EXPECT_TRUE(CRecordsTable(m_path).AddRecord(60, "Six"));
    struct stat status {};
    ASSERT_EQ(::stat(m_path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777u, 0640u);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{".stat.txt.Ab3xYz7", "stat.txt", "stat.txt.Ab3xYz"}));
}

TEST(RecordLayout, FieldsNeverRunIntoEachOther) {
    const std::tuple<int, const char*, std::string_view> cases[] = {
        {0, "", "0\0\0\0\0         "sv},
        {0, nullptr, "0\0\0\0\0         "sv},
        {99999, "Ninechars", "99999Ninechars"sv},
        {100000, "TenCharsXY", "99999TenCharsX"sv},
        {2147483647, "A", "99999A        "sv},
        {-5, "\xC8\xE2\xE0\xED", "0\0\0\0\0\xC8\xE2\xE0\xED     "sv},
    };
    for (const auto& [score, name, scoreAndName] : cases) {
        const Bytes record = RecordBytes(score, name);
        EXPECT_EQ(Slice(record, 0, 14), BytesOf(scoreAndName)) << "score " << score;
        EXPECT_EQ(Slice(record, 14, 16), BytesOf("9  5  3  3  2007")) << "score " << score;
    }
    // Times that do not fit their fields (a broken clock) still leave the layout intact.
    const records::Record wild = records::FormatRecord(1, "x", crt::LocalTime{1234, -1, 31, 12, 123456});
    EXPECT_EQ(Bytes(wild.begin() + 14, wild.end()), BytesOf("9990  31 12 9999"));
}

TEST(RecordLayout, StoredScoreReadsLikeStrtolWithinFiveBytes) {
    const std::pair<std::string_view, int> cases[] = {
        {"125\0\0"sv, 125}, {"     "sv, 0}, {"\t\n\v9 "sv, 9}, {"-3\0\0\0"sv, -3},    {"abc12"sv, 0},
        {"1 2  "sv, 1},     {"123456789"sv, 12345},            {"     8"sv, 0}, {"7"sv, 7}, {""sv, 0},
    };
    for (const auto& [field, value] : cases) {
        EXPECT_EQ(records::ParseStoredScore(BytesOf(field)), value) << '"' << std::string(field) << '"';
    }
}

std::vector<std::string> RowsOf(const Bytes& file) {
    std::vector<std::string> rows;
    for (const RecordRow& row : ParseRecordRows(file)) {
        rows.push_back(row.score + "|" + row.name + "|" + row.hour + "|" + row.minute + "|" + row.day + "|" +
                       row.month + "|" + row.year);
    }
    return rows;
}

// A record cut short by the end of the file shows what is there.
TEST(RecordRows, EachRowAsFarAsTheFileGoes) {
    const Bytes one = RecordBytes(50, "Ann");
    EXPECT_EQ(RowsOf(Concat({one, Slice(RecordBytes(7, "Bob"), 0, 20)})),
              (std::vector<std::string>{"50|Ann      |9  |5  |3  |3  |2007", "7|Bob      |9  |5  |||"}));
    EXPECT_EQ(RowsOf(Concat({one, BytesOf("42"sv)})).back(), "42||||||");
    EXPECT_EQ(RowsOf(Concat({one, Slice(one, 0, 28)})).back(), "50|Ann      |9  |5  |3  |3  |20");
}

}  // namespace
