#include "records/RecordLayout.h"
#include "records/tests/RecordsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_view_literals;

TEST(RecordLayout, FieldsNeverRunIntoEachOther) {
    struct Case {
        int score;
        const char* name;
        std::string_view scoreAndName;  // the first 14 bytes
    };
    const Case cases[] = {
        {0, "", "0\0\0\0\0         "sv},
        {0, nullptr, "0\0\0\0\0         "sv},
        {99999, "Ninechars", "99999Ninechars"sv},
        {100000, "TenCharsXY", "99999TenCharsX"sv},
        {2147483647, "A", "99999A        "sv},
        {-5, "\xC8\xE2\xE0\xED", "0\0\0\0\0\xC8\xE2\xE0\xED     "sv},
    };
    for (const Case& c : cases) {
        const Bytes record = RecordBytes(c.score, c.name);
        EXPECT_EQ(Slice(record, 0, 14), BytesOf(c.scoreAndName)) << "score " << c.score;
        EXPECT_EQ(Slice(record, 14, 16), BytesOf("9  5  3  3  2007")) << "score " << c.score;
    }
    // Times that do not fit their fields (a broken clock) still leave the layout intact.
    const records::Record wild = records::FormatRecord(1, "x", crt::LocalTime{1234, -1, 31, 12, 123456});
    EXPECT_EQ(Bytes(wild.begin() + 14, wild.end()), BytesOf("9990  31 12 9999"));
}

TEST(RecordLayout, StoredScoreReadsLikeStrtolWithinFiveBytes) {
    struct Case {
        std::string_view field;
        int value;
    };
    const Case cases[] = {
        {"125\0\0"sv, 125},   {"     "sv, 0},     {"  42 "sv, 42},   {"\t\n\v9 "sv, 9},
        {"+7\0\0\0"sv, 7},    {"-3\0\0\0"sv, -3}, {"-    "sv, 0},    {"abc12"sv, 0},
        {"1 2  "sv, 1},       {"00012"sv, 12},    {"123456789"sv, 12345},
        {"    7"sv, 7},       {"     8"sv, 0},    {"7"sv, 7},        {""sv, 0},
        {"\0" "12\0\0"sv, 0},
    };
    for (const Case& c : cases) {
        const Bytes field = BytesOf(c.field);
        EXPECT_EQ(records::ParseStoredScore(field), c.value) << "field \"" << std::string(c.field) << '"';
    }
}

}  // namespace
