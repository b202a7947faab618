#include "records/tests/RecordsTestSupport.h"

#include "platform/core/Crt.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

void RecordsFolderTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "velmor-records-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_folder = pattern;
    m_path = FolderPath("stat.txt");
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    crt::SetClock([] { return kFixedClock; });
}

void RecordsFolderTest::TearDown() {
    crt::SetClock({});
    std::error_code ignored;
    fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_folder, ignored);
}

std::vector<std::string> RecordsFolderTest::FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<Bytes> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes RecordBytes(int score, const char* name) {
    const records::Record record = records::FormatRecord(score, name, kFixedTime);
    return Bytes(record.begin(), record.end());
}

Bytes TableOf(const std::vector<int>& scores) {
    Bytes table;
    for (std::size_t i = 0; i < scores.size(); ++i) {
        const Bytes record = RecordBytes(scores[i], ("r" + std::to_string(i)).c_str());
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
