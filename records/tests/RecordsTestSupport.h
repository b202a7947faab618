// Shared helpers of the records tests: a fresh folder per test, a fixed
// clock, and records built from scores.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Crt.h"
#include "platform/core/Types.h"
#include "records/RecordLayout.h"
#include "tests/support/Files.h"

using Bytes = std::vector<BYTE>;

// Each test gets an empty folder, the path of a records file in it that does
// not exist yet, and a clock fixed at 9:05 on 3 March 2007 in UTC.
class RecordsFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        crt::SetClock([] { return std::int64_t{1172912700}; });
    }
    void TearDown() override { crt::SetClock({}); }
    // The names in the folder, sorted.
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    CScratchFolder m_folder;
    const std::string m_path = m_folder / "stat.txt";
};

inline Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// One record at the fixed time.
inline Bytes RecordBytes(int score, const char* name) {
    const records::Record record = records::FormatRecord(score, name, crt::LocalTime{9, 5, 3, 3, 2007});
    return Bytes(record.begin(), record.end());
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Records with the given scores, named "r0", "r1", ... in order.
inline Bytes TableOf(const std::vector<int>& scores) {
    Bytes table;
    for (std::size_t index = 0; index < scores.size(); ++index) {
        table = Concat({table, RecordBytes(scores[index], ("r" + std::to_string(index)).c_str())});
    }
    return table;
}

inline Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count) {
    const auto at = [&bytes](std::size_t index) {
        return bytes.begin() + static_cast<std::ptrdiff_t>(std::min(index, bytes.size()));
    };
    return Bytes(at(offset), at(offset + count));
}
