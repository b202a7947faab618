// Shared helpers of the records tests: a fresh folder per test, a fixed
// clock, and records built from scores.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Types.h"
#include "records/RecordLayout.h"
#include "tests/support/Files.h"

using Bytes = std::vector<BYTE>;

// 9:05 on 3 March 2007 in UTC, the time every test record is written at.
inline constexpr std::int64_t kFixedClock = 1172912700;

// Each test gets an empty folder, the path of a records file in it that does
// not exist yet, and the fixed clock in UTC.
class RecordsFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The names in the folder, sorted.
    std::vector<std::string> FolderEntries() const;

    CScratchFolder m_folder;
    const std::string m_path = m_folder / "stat.txt";
};

Bytes BytesOf(std::string_view text);
// One record at the fixed time.
Bytes RecordBytes(int score, const char* name);
// Records with the given scores, named "r0", "r1", ... in order.
Bytes TableOf(const std::vector<int>& scores);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count);
