// The records file: the bytes of one record, the rows read back, where a new record goes and what the file looks like
// after, and with real child processes: a write that fails and two games ending at once.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/core/Crt.h"
#include "platform/core/File.h"
#include "platform/core/Types.h"
#include "records/RecordLayout.h"
#include "records/RecordRows.h"
#include "records/RecordsTable.h"
#include "tests/support/Files.h"

namespace {

using namespace std::literals;
using Bytes = std::vector<BYTE>;

// Each test gets an empty folder, the path of a records file in it that does
// not exist yet, and a clock fixed at 9:05 on 3 March 2007 in UTC.
class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        crt::SetClock([] { return std::int64_t{1172912700}; });
    }
    void TearDown() override { crt::SetClock({}); }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    CScratchFolder m_folder;
    const std::string m_path = m_folder / "stat.txt";
};

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

// One record at the fixed time.
Bytes RecordBytes(int score, const char* name) {
    const records::Record record = records::FormatRecord(score, name, crt::LocalTime{9, 5, 3, 3, 2007});
    return Bytes(record.begin(), record.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Records with the given scores, named "r0", "r1", ... in order.
Bytes TableOf(const std::vector<int>& scores) {
    Bytes table;
    for (std::size_t index = 0; index < scores.size(); ++index)
        table = Concat({table, RecordBytes(scores[index], ("r" + std::to_string(index)).c_str())});
    return table;
}

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count) {
    return Bytes(bytes.data() + offset, bytes.data() + offset + count);
}

TEST_F(RecordsTest, RecordsGoToTheirPlaceAndTheFileNeverShortens) {
    const Bytes three = TableOf({50, 30, 30});
    const Bytes ten = TableOf({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
    const Bytes twenty = Concat({TableOf({200, 190, 180, 170, 160, 150, 140, 130, 120, 110}), ten});
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

// A missing file, a folder in its place and a missing folder: no record, and nothing made.
TEST_F(RecordsTest, MissingOrStrangeFileIsNeverWritten) {
    ASSERT_EQ(::mkdir((m_folder / "folder").c_str(), 0755), 0);
    for (const std::string& path : {m_path, m_folder / "folder", m_folder / "no-such-folder/stat.txt"}) {
        SCOPED_TRACE(path);
        const CRecordsTable table(path);
        EXPECT_FALSE(table.IsRecord(100));
        EXPECT_FALSE(table.AddRecord(100, "Ghost"));
    }
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"folder"});
}

TEST_F(RecordsTest, NewFileKeepsPermissionsAndLeavesNoTemporaries) {
    ASSERT_TRUE(WriteWholeFile(m_path, TableOf({50})));
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    // Leftovers of a writer that was killed; files merely alike stay.
    for (const char* name : {".stat.txt.Ab3xYz", ".stat.txt.Ab3xYz7", "stat.txt.Ab3xYz"})
        WriteWholeFile(m_folder / name, "x");

    EXPECT_TRUE(CRecordsTable(m_path).AddRecord(60, "Six"));
    struct stat status {};
    ASSERT_EQ(::stat(m_path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777u, 0640u);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{".stat.txt.Ab3xYz7", "stat.txt", "stat.txt.Ab3xYz"}));
}

TEST(RecordLayout, FieldsNeverRunIntoEachOther) {
    const std::tuple<int, const char*, std::string_view> cases[] = {
        {0, "", "0\0\0\0\0         "sv},          {0, nullptr, "0\0\0\0\0         "sv},
        {99999, "Ninechars", "99999Ninechars"sv}, {100000, "TenCharsXY", "99999TenCharsX"sv},
        {2147483647, "A", "99999A        "sv},    {-5, "\xC8\xE2\xE0\xED", "0\0\0\0\0\xC8\xE2\xE0\xED     "sv},
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
        {"125\0\0"sv, 125}, {"     "sv, 0},         {"\t\n\v9 "sv, 9}, {"-3\0\0\0"sv, -3}, {"abc12"sv, 0},
        {"1 2  "sv, 1},     {"123456789"sv, 12345}, {"     8"sv, 0},   {"7"sv, 7},         {""sv, 0},
    };
    for (const auto& [field, value] : cases)
        EXPECT_EQ(records::ParseStoredScore(BytesOf(field)), value) << '"' << std::string(field) << '"';
}

std::vector<std::string> RowsOf(const Bytes& file) {
    std::vector<std::string> rows;
    for (const RecordRow& row : ParseRecordRows(file))
        rows.push_back(row.score + "|" + row.name + "|" + row.hour + "|" + row.minute + "|" + row.day + "|" +
                       row.month + "|" + row.year);
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

// Runs the body in a child process, which ends with its result.
template <class Body>
pid_t Spawn(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

int WaitStatus(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) continue;
    return status;
}

// A start line for child processes: a pipe that each child reads until it ends, which is when the parent and every
// child have closed their copies of its writing end.  So the children go together as soon as the last one is ready.
class StartLine {
public:
    StartLine() {
        int ends[2] = {-1, -1};
        if (::pipe(ends) != 0) return;  // a child then fails to read and says so
        m_readEnd = CFileDescriptor(ends[0]);
        m_writeEnd = CFileDescriptor(ends[1]);
    }

    // In a child: true once every other holder has let go.
    bool Wait() {
        m_writeEnd.Close();
        char unused = 0;
        return ::read(m_readEnd.Get(), &unused, 1) == 0;
    }

    // In the parent, once every child is started.
    void Start() { m_writeEnd.Close(); }

private:
    CFileDescriptor m_readEnd;
    CFileDescriptor m_writeEnd;
};

// The file after two games that ended one after the other.
Bytes AfterTwoGames(Bytes file, int firstScore, int secondScore) {
    CRecordsTable::InsertRecord(file, firstScore, "Game");
    CRecordsTable::InsertRecord(file, secondScore, "Game");
    return file;
}

// Two games end at the same moment, many times over.  Each round's two scores beat every earlier one, so both enter
// the table; whichever game took the file first, it must then hold both records where the table puts them.
TEST_F(RecordsTest, TwoGamesEndingAtOnceKeepBothRecords) {
    constexpr int kRounds = 50;
    constexpr int kFirstScore = 100;
    Bytes before;
    ASSERT_TRUE(WriteWholeFile(m_path, before));
    for (int round = 0; round < kRounds; ++round) {
        const int lower = kFirstScore + 2 * round;
        const int higher = lower + 1;
        StartLine startLine;
        std::vector<pid_t> games;
        for (const int score : {lower, higher}) {
            games.push_back(Spawn([&] {
                if (!startLine.Wait()) return 2;
                return CRecordsTable(m_path).AddRecord(score, "Game") ? 0 : 1;
            }));
            ASSERT_GT(games.back(), 0);
        }
        startLine.Start();
        for (const pid_t game : games) {
            const int status = WaitStatus(game);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round << ": a record was refused";
        }
        const Bytes after = ReadWholeFile(m_path).value_or(Bytes{});
        ASSERT_TRUE(after == AfterTwoGames(before, lower, higher) || after == AfterTwoGames(before, higher, lower))
            << "round " << round << ": " << after.size() << " bytes that are not both records in either order";
        before = after;
    }
}

TEST_F(RecordsTest, FailedWriteLeavesTheFileAsItWas) {
    const Bytes ten = TableOf({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
    ASSERT_TRUE(WriteWholeFile(m_path, ten));

    // A file size limit makes the new file's write fail, as a full disk would.
    const pid_t writer = Spawn([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        return CRecordsTable(m_path).AddRecord(1000, "Full") ? 1 : 0;
    });
    const int status = WaitStatus(writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write was reported as done";
    EXPECT_EQ(ReadWholeFile(m_path), ten);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"stat.txt"});
}

}  // namespace
