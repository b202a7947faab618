#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/File.h"
#include "platform/core/MemFile.h"

namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "velmor-core-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string PathOf(const char* name) const { return (m_folder / name).string(); }
    void MakeFile(const char* name, const std::string& content) const {
        std::ofstream(m_folder / name, std::ios::binary) << content;
    }

    fs::path m_folder;
};

constexpr UINT kCreateReadWriteExclusive = CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive;

}  // namespace

TEST_F(FileTest, ReadReturnsShortCountAtEnd) {
    MakeFile("five", "abcde");
    CFile file;
    ASSERT_TRUE(file.Open(PathOf("five").c_str(), CFile::modeRead | CFile::shareDenyWrite));
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 3), 3u);
    EXPECT_EQ(file.Read(buffer, 8), 2u);
    EXPECT_EQ(std::string(buffer, 2), "de");
    EXPECT_EQ(file.Read(buffer, 8), 0u);
    EXPECT_EQ(file.GetLength(), 5u);
}

TEST_F(FileTest, SeekAndPosition) {
    MakeFile("ten", "0123456789");
    CFile file;
    ASSERT_TRUE(file.Open(PathOf("ten").c_str(), CFile::modeRead));
    EXPECT_EQ(file.Seek(4, CFile::begin), 4u);
    EXPECT_EQ(file.Seek(2, CFile::current), 6u);
    EXPECT_EQ(file.Seek(-1, CFile::end), 9u);
    EXPECT_EQ(file.GetPosition(), 9u);
    try {
        file.Seek(-20, CFile::current);
        FAIL() << "seek before the start succeeded";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::badSeek);
    }
    EXPECT_EQ(file.GetPosition(), 9u);
}

TEST_F(FileTest, CreateTruncatesUnlessNoTruncate) {
    MakeFile("old", "old content");
    {
        CFile file;
        ASSERT_TRUE(file.Open(PathOf("old").c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::modeNoTruncate));
        EXPECT_EQ(file.GetLength(), 11u);
    }
    CFile file;
    ASSERT_TRUE(file.Open(PathOf("old").c_str(), kCreateReadWriteExclusive));
    EXPECT_EQ(file.GetLength(), 0u);
    file.Write("new", 3);
    file.Seek(0, CFile::begin);
    char back[3] = {};
    EXPECT_EQ(file.Read(back, 3), 3u);
    EXPECT_EQ(std::string(back, 3), "new");
}

TEST_F(FileTest, OpenFailuresNameTheirCause) {
    MakeFile("plain", "x");
    struct Case {
        std::string path;
        UINT flags;
        int cause;
    };
    const Case cases[] = {
        {PathOf("missing"), CFile::modeRead, CFileException::fileNotFound},
        {PathOf("plain") + "/below", CFile::modeRead, CFileException::badPath},
        {m_folder.string(), CFile::modeRead, CFileException::accessDenied},
        {"", CFile::modeRead, CFileException::badPath},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path.c_str(), c.flags, &error));
        EXPECT_EQ(error.m_cause, c.cause);
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST_F(FileTest, ExclusiveSharingKeepsOthersOutAndDoesNotTruncate) {
    MakeFile("shared", "keep me");
    CFile holder;
    ASSERT_TRUE(holder.Open(PathOf("shared").c_str(), CFile::modeRead | CFile::shareDenyWrite));

    CFile writer;
    CFileException error;
    EXPECT_FALSE(writer.Open(PathOf("shared").c_str(), kCreateReadWriteExclusive, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(holder.GetLength(), 7u);

    CFile secondReader;
    EXPECT_TRUE(secondReader.Open(PathOf("shared").c_str(), CFile::modeRead | CFile::shareDenyWrite));
    holder.Close();
    secondReader.Close();
    EXPECT_TRUE(writer.Open(PathOf("shared").c_str(), kCreateReadWriteExclusive));
}

TEST_F(FileTest, WriteToFullDeviceThrowsDiskFull) {
    CFile file;
    if (!file.Open("/dev/full", CFile::modeWrite)) GTEST_SKIP() << "/dev/full is not available";
    try {
        file.Write("abc", 3);
        FAIL() << "write to a full device succeeded";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::diskFull);
        EXPECT_EQ(error.m_strFileName, "/dev/full");
    }
}

TEST(MemFile, WriteLimitStoresWhatFitsThenThrows) {
    CMemFile file;
    file.SetWriteLimit(5);
    file.Write("abc", 3);
    try {
        file.Write("defg", 4);
        FAIL() << "write past the limit succeeded";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::diskFull);
    }
    EXPECT_EQ(std::string(file.Bytes().begin(), file.Bytes().end()), "abcde");
}

TEST(MemFile, SeekPastEndThenWriteFillsWithZeros) {
    CMemFile file(std::vector<BYTE>{1, 2});
    EXPECT_EQ(file.Seek(4, CFile::begin), 4u);
    BYTE buffer[2];
    EXPECT_EQ(file.Read(buffer, 2), 0u);
    file.Write("\x09", 1);
    EXPECT_EQ(file.Bytes(), (std::vector<BYTE>{1, 2, 0, 0, 9}));
    EXPECT_THROW(file.Seek(-6, CFile::end), CFileException);
    EXPECT_THROW(file.Seek(std::numeric_limits<std::int64_t>::max(), CFile::current), CFileException);
    EXPECT_EQ(file.GetPosition(), 5u);
}
