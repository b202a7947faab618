#include "records/RecordRows.h"
#include "records/tests/RecordsTestSupport.h"

#include <gtest/gtest.h>


namespace {

using namespace std::string_view_literals;

std::string Joined(const RecordRow& row) {
    return row.score + "|" + row.name + "|" + row.hour + "|" + row.minute + "|" + row.day + "|" + row.month + "|" +
           row.year;
}

class RecordRowsTest : public RecordsFolderTest {
protected:
    std::vector<std::string> RowsOf(const Bytes& file) {
        WriteWholeFile(m_path, file);
        std::vector<std::string> rows;
        for (const RecordRow& row : ReadRecordRows(m_path)) rows.push_back(Joined(row));
        return rows;
    }
};

TEST_F(RecordRowsTest, NoFileOrEmptyFileHasNoRows) {
    EXPECT_TRUE(ReadRecordRows(m_path).empty());
    EXPECT_TRUE(RowsOf({}).empty());
}

TEST_F(RecordRowsTest, AtMostTenRows) {
    std::vector<int> scores;
    for (int score = 120; score > 0; score -= 10) scores.push_back(score);
    const std::vector<std::string> rows = RowsOf(TableOf(scores));
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows.front(), "120|r0       |9  |5  |3  |3  |2007");
    EXPECT_EQ(rows.back(), "30|r9       |9  |5  |3  |3  |2007");
    EXPECT_EQ(RowsOf(RecordBytes(99999, "Max")).front(), "99999|Max      |9  |5  |3  |3  |2007");
}

TEST_F(RecordRowsTest, RecordCutShortShowsWhatIsThere) {
    const Bytes one = RecordBytes(50, "Ann");
    EXPECT_EQ(RowsOf(Concat({one, Slice(RecordBytes(7, "Bob"), 0, 20)})),
              (std::vector<std::string>{"50|Ann      |9  |5  |3  |3  |2007", "7|Bob      |9  |5  |||"}));
    EXPECT_EQ(RowsOf(Concat({one, BytesOf("42"sv)})).back(), "42||||||");
    EXPECT_EQ(RowsOf(Concat({one, Slice(one, 0, 28)})).back(), "50|Ann      |9  |5  |3  |3  |20");
}

TEST_F(RecordRowsTest, ZeroBytesEndOnlyScoreAndName) {
    const Bytes record = BytesOf("7\0" "99" "\0" "AB\0CD    " "1\0 " "5  " "\xC8\xC2 " "12 " "2007"sv);
    ASSERT_EQ(record.size(), records::kRecordSize);
    WriteWholeFile(m_path, record);
    const std::vector<RecordRow> rows = ReadRecordRows(m_path);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].score, "7");
    EXPECT_EQ(rows[0].name, "AB");
    EXPECT_EQ(rows[0].hour, "1\0 "sv);
    EXPECT_EQ(rows[0].day, "\xC8\xC2 ");
    // Blank and Cyrillic names come through unchanged, filling spaces kept.
    EXPECT_EQ(RowsOf(RecordBytes(3, "")).front(), "3|         |9  |5  |3  |3  |2007");
    EXPECT_EQ(RowsOf(RecordBytes(3, "\xC8\xE2\xE0\xED")).front(), "3|\xC8\xE2\xE0\xED     |9  |5  |3  |3  |2007");
}

}  // namespace
