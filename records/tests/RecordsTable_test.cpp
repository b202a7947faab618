#include "records/RecordsTable.h"
#include "records/tests/RecordsTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace std::string_view_literals;

class RecordsTableTest : public RecordsFolderTest {
protected:
    // Adds the record and checks the file against what it must hold afterwards.
    void ExpectAdd(const Bytes& before, int score, const char* name, const Bytes& after) {
        WriteWholeFile(m_path, before);
        const CRecordsTable table(m_path);
        EXPECT_EQ(table.AddRecord(score, name), before != after);
        EXPECT_EQ(ReadWholeFile(m_path), after);
    }
};

TEST_F(RecordsTableTest, EmptyFileTakesAnyScore) {
    WriteWholeFile(m_path, {});
    const CRecordsTable table(m_path);
    EXPECT_TRUE(table.IsRecord(0));
    ExpectAdd({}, 125, "Olga", BytesOf("125\0\0Olga     9  5  3  3  2007"sv));
}

TEST_F(RecordsTableTest, InsertionKeepsTheOrder) {
    const Bytes table = TableOf({50, 30, 30});
    const Bytes record = RecordBytes(40, "New");
    // Between 50 and the two 30s: they move one record down.
    ExpectAdd(table, 40, "New", Concat({Slice(table, 0, 30), record, Slice(table, 30, 60)}));
    // An equal score goes behind every older equal one.
    ExpectAdd(table, 30, "New", Concat({table, RecordBytes(30, "New")}));
    // Above everything.
    ExpectAdd(table, 99, "New", Concat({RecordBytes(99, "New"), table}));
}

TEST_F(RecordsTableTest, FullTableTurnsAwayScoresNotAboveTheTenth) {
    const Bytes full = TableOf({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
    WriteWholeFile(m_path, full);
    const CRecordsTable table(m_path);
    EXPECT_FALSE(table.IsRecord(10));
    EXPECT_FALSE(table.IsRecord(0));
    EXPECT_TRUE(table.IsRecord(11));
    ExpectAdd(full, 10, "No", full);
    ExpectAdd(full, -1, "No", full);
    // A record pushed out earlier is never compared again.
    const Bytes withPushedOut = Concat({full, RecordBytes(5, "Out")});
    WriteWholeFile(m_path, withPushedOut);
    EXPECT_FALSE(table.IsRecord(6));
    ExpectAdd(withPushedOut, 6, "No", withPushedOut);
}

TEST_F(RecordsTableTest, InsertionMovesTenRecordsAndNeverShortens) {
    const Bytes ten = TableOf({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
    // The record pushed out of the table stays behind it as record 10.
    ExpectAdd(ten, 200, "Top", Concat({RecordBytes(200, "Top"), ten}));

    // Twenty records: place 9 moves records 9 to 18 over record 19.
    std::vector<int> scores;
    for (int score = 200; score > 0; score -= 10) scores.push_back(score);
    const Bytes twenty = TableOf(scores);
    ASSERT_EQ(twenty.size(), 600u);
    ExpectAdd(twenty, 115, "Nine", Concat({Slice(twenty, 0, 270), RecordBytes(115, "Nine"), Slice(twenty, 270, 300)}));

    // Past 600 bytes nothing changes, however long the file is.
    Bytes longFile = twenty;
    for (int copy = 0; copy < 300; ++copy) longFile.insert(longFile.end(), twenty.begin(), twenty.end());
    Bytes expected = longFile;
    const Bytes top = Concat({RecordBytes(999, "Top"), Slice(longFile, 0, 300)});
    std::copy(top.begin(), top.end(), expected.begin());
    ExpectAdd(longFile, 999, "Top", expected);
}

TEST_F(RecordsTableTest, TornFileKeepsItsShape) {
    const Bytes torn = Concat({TableOf({50}), BytesOf("20\0"sv)});
    // The three stray bytes count as a record scoring 20 and move with it.
    ExpectAdd(torn, 25, "Mid", Concat({TableOf({50}), RecordBytes(25, "Mid"), BytesOf("20\0"sv)}));
    // Lower scores are appended at the very end, as the file stands.
    ExpectAdd(torn, 3, "Low", Concat({torn, RecordBytes(3, "Low")}));
}

TEST_F(RecordsTableTest, ScoresCompareAsStored) {
    // A score field without digits reads as 0.
    Bytes blank = TableOf({50, 7});
    std::fill_n(blank.begin() + 30, 5, BYTE{' '});
    ExpectAdd(blank, 1, "One", Concat({Slice(blank, 0, 30), RecordBytes(1, "One"), Slice(blank, 30, 30)}));
    // 100000 is stored as 99999, so it goes behind an older 99999.
    const Bytes table = TableOf({99999, 5});
    ExpectAdd(table, 100000, "Big", Concat({Slice(table, 0, 30), RecordBytes(99999, "Big"), Slice(table, 30, 30)}));
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

    const CRecordsTable nowhere(FolderPath("no-such-folder/stat.txt"));
    EXPECT_FALSE(nowhere.IsRecord(100));
    EXPECT_FALSE(nowhere.AddRecord(100, "Ghost"));
}

TEST_F(RecordsTableTest, NewFileKeepsPermissionsAndLeavesNoTemporaries) {
    WriteWholeFile(m_path, TableOf({50}));
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    // Leftovers of a writer that was killed; files merely alike stay.
    WriteWholeFile(FolderPath(".stat.txt.Ab3xYz"), BytesOf("torn"));
    WriteWholeFile(FolderPath(".stat.txt.Ab3xYz7"), BytesOf("keep"));
    WriteWholeFile(FolderPath("stat.txt.Ab3xYz"), BytesOf("keep"));

    EXPECT_TRUE(CRecordsTable(m_path).AddRecord(60, "Six"));
    struct stat status {};
    ASSERT_EQ(::stat(m_path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777u, 0640u);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{".stat.txt.Ab3xYz7", "stat.txt", "stat.txt.Ab3xYz"}));
}

}  // namespace
