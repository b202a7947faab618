// Crash safety, with real child processes.
#include "records/RecordsTable.h"
#include "records/tests/RecordsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs the body in a child process, which ends with its result.
template <class Body>
pid_t Spawn(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

int WaitStatus(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

using RecordsSafetyTest = RecordsFolderTest;

TEST_F(RecordsSafetyTest, KilledWriterLeavesOldOrNewTable) {
    // Every score beats all before it, so each one changes the file; the
    // states it may pass through are known in advance.
    constexpr int kScores = 3000;
    constexpr int kFirstScore = 100;
    std::vector<Bytes> states{Bytes{}};
    for (int k = 0; k < kScores; ++k) {
        Bytes next = states.back();
        const std::size_t offset = *records::InsertionOffset(next, kFirstScore + k);
        records::MakeRoom(next, offset);
        CRecordsTable::WriteRecord(next, offset, kFirstScore + k, "Kill");
        states.push_back(std::move(next));
    }
    ASSERT_TRUE(WriteWholeFile(m_path, Bytes{}));

    std::mt19937 random(20070303);
    std::uniform_int_distribution<unsigned> delayMicroseconds(0, 4000);
    std::size_t reached = 0;
    // A slow machine (or a sanitizer build) may not finish one write within
    // the random delay; each kill that found no progress waits twice as long
    // the next time, so the writer always gets somewhere.
    unsigned patienceMicroseconds = 0;
    for (int kill = 0; kill < 120 && reached < kScores; ++kill) {
        const std::size_t from = reached;
        const pid_t writer = Spawn([&] {
            const CRecordsTable table(m_path);
            for (std::size_t k = from; k < kScores; ++k) table.AddRecord(kFirstScore + static_cast<int>(k), "Kill");
            return 0;
        });
        ASSERT_GT(writer, 0);
        ::usleep(delayMicroseconds(random) + patienceMicroseconds);
        ::kill(writer, SIGKILL);
        WaitStatus(writer);

        const std::optional<Bytes> now = ReadWholeFile(m_path);
        ASSERT_TRUE(now.has_value()) << "the records file vanished after kill " << kill;
        const auto state = std::find(states.begin() + static_cast<std::ptrdiff_t>(from), states.end(), *now);
        ASSERT_NE(state, states.end()) << "after kill " << kill << " the file holds " << now->size()
                                       << " bytes that are neither the old nor a new table";
        reached = static_cast<std::size_t>(state - states.begin());
        patienceMicroseconds = reached > from ? 0 : std::min(2 * patienceMicroseconds + 1000, 1000000u);
    }
    EXPECT_GT(reached, 0u);

    // The next writer clears what the killed ones left behind.
    EXPECT_TRUE(CRecordsTable(m_path).AddRecord(kFirstScore + kScores, "Last"));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"stat.txt"});
}

TEST_F(RecordsSafetyTest, FailedWriteLeavesTheFileAsItWas) {
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
