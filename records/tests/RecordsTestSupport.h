// Shared helpers of the records tests: a fresh folder per test, a fixed
// clock, and whole-file reads and writes.
#pragma once

#include "platform/core/Types.h"
#include "records/RecordLayout.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<BYTE>;

// 9:05 on 3 March 2007 in UTC, the time every test record is written at.
inline constexpr std::int64_t kFixedClock = 1172912700;
inline constexpr crt::LocalTime kFixedTime{9, 5, 3, 3, 2007};

// Each test gets an empty folder (removed afterwards), the path of a records
// file in it that does not exist yet, and the fixed clock in UTC.
class RecordsFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string FolderPath(std::string_view name) const { return m_folder + "/" + std::string(name); }
    // The names in the folder, sorted.
    std::vector<std::string> FolderEntries() const;

    std::string m_folder;
    std::string m_path;  // <folder>/stat.txt
};

std::optional<Bytes> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const Bytes& bytes);

Bytes BytesOf(std::string_view text);
// One record at the fixed time.
Bytes RecordBytes(int score, const char* name);
// Records with the given scores, named "r0", "r1", ... in order.
Bytes TableOf(const std::vector<int>& scores);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count);
