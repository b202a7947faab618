// Files on disk: what CFile and the descriptor helpers do with special files, locks and files larger than one read.
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/core/File.h"
#include "tests/support/Files.h"

namespace {

constexpr UINT kCreateExclusive = CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive;
constexpr UINT kReadShared = CFile::modeRead | CFile::shareDenyWrite;

// A FIFO, a directory or a missing file in a picture's place must neither block nor open.
TEST(File, OnlyRegularFilesOpenForReading) {
    const CScratchFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    ASSERT_TRUE(WriteWholeFile(folder / "plain", "x"));
    const std::pair<std::string, int> cases[] = {
        {folder / "missing", ENOENT}, {folder.Path().string(), EISDIR}, {folder / "fifo", ENODEV}};
    for (const auto& [path, osError] : cases) {
        SCOPED_TRACE(path);
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(path.c_str(), kReadShared, &error));
        EXPECT_EQ(error.m_lOsError, osError);
        EXPECT_FALSE(ReadFileHead(path, 4).has_value());
    }
    EXPECT_EQ(ReadFileHead(folder / "plain", 4), std::vector<BYTE>{'x'});
}

TEST(File, AnExclusiveOpenNeitherSucceedsNorTruncatesWhileOthersRead) {
    const CScratchFolder folder;
    ASSERT_TRUE(WriteWholeFile(folder / "shared", "keep me"));
    CFile holder;
    CFile secondReader;
    ASSERT_TRUE(holder.Open((folder / "shared").c_str(), kReadShared));
    EXPECT_TRUE(secondReader.Open((folder / "shared").c_str(), kReadShared));
    CFile writer;
    CFileException error;
    EXPECT_FALSE(writer.Open((folder / "shared").c_str(), kCreateExclusive, &error));
    EXPECT_EQ(error.m_lOsError, EWOULDBLOCK);
    EXPECT_EQ(ReadText(folder / "shared"), "keep me");
    holder.Close();
    secondReader.Close();
    EXPECT_TRUE(writer.Open((folder / "shared").c_str(), kCreateExclusive));
}

TEST(File, CopyRestCopiesFromTheCurrentPositionOn) {
    const CScratchFolder folder;
    std::string text(200000, 'a');
    text[150000] = 'b';
    ASSERT_TRUE(WriteWholeFile(folder / "from", text));
    CFileDescriptor from(OpenRegularFile((folder / "from").c_str(), O_RDONLY));
    CFileDescriptor to(::open((folder / "to").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
    ASSERT_EQ(ReadUpTo(from.Get(), 100)->size(), 100u);
    ASSERT_TRUE(CopyRest(from.Get(), to.Get()));
    ASSERT_TRUE(to.Close());
    EXPECT_EQ(ReadText(folder / "to"), text.substr(100));
}

// CFile keeps a regular file's position itself; it must agree with the system's after every kind of move.
// /dev/null is asked each time: its position stays 0 however much is written.
TEST(File, PositionFollowsEveryReadWriteAndSeek) {
    const CScratchFolder folder;
    CFile file;
    ASSERT_TRUE(file.Open((folder / "moves").c_str(), kCreateExclusive));
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetPosition(), 10u);
    EXPECT_EQ(file.Seek(3, CFile::begin), 3u);
    char bytes[100];
    EXPECT_EQ(file.Read(bytes, 4), 4u);
    EXPECT_EQ(file.GetPosition(), 7u);
    EXPECT_EQ(file.Seek(-2, CFile::current), 5u);
    EXPECT_EQ(file.Read(bytes, 100), 5u);
    EXPECT_EQ(file.GetPosition(), 10u);
    file.Close();
    ASSERT_TRUE(file.Open((folder / "moves").c_str(), kReadShared));
    EXPECT_EQ(file.GetPosition(), 0u);
    CFile null;
    ASSERT_TRUE(null.Open("/dev/null", CFile::modeWrite));
    null.Write("0123456789", 10);
    EXPECT_EQ(null.GetPosition(), 0u);
}

}  // namespace
