#include "records/tests/RecordsTestSupport.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "platform/core/Crt.h"

void RecordsFolderTest::SetUp() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    crt::SetClock([] { return kFixedClock; });
}

void RecordsFolderTest::TearDown() {
    crt::SetClock({});
}

std::vector<std::string> RecordsFolderTest::FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes RecordBytes(int score, const char* name) {
    const records::Record record = records::FormatRecord(score, name, crt::LocalTime{9, 5, 3, 3, 2007});
    return Bytes(record.begin(), record.end());
}

Bytes TableOf(const std::vector<int>& scores) {
    Bytes table;
    for (std::size_t index = 0; index < scores.size(); ++index) {
        const Bytes record = RecordBytes(scores[index], ("r" + std::to_string(index)).c_str());
        table.insert(table.end(), record.begin(), record.end());
    }
    return table;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count) {
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(offset, bytes.size()));
    const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(offset + count, bytes.size()));
    return Bytes(begin, end);
}
