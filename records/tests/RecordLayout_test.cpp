// The bytes of one record, and the rows the records dialog reads back.
#include "records/RecordLayout.h"

#include <gtest/gtest.h>

#include <tuple>

#include "records/RecordRows.h"
#include "records/tests/RecordsTestSupport.h"

namespace {

using namespace std::literals;

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
