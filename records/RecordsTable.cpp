#include "records/RecordsTable.h"

#include "platform/core/Crt.h"
#include "platform/core/File.h"
#include "platform/core/Trace.h"
#include "records/FileReplace.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <utility>

namespace {

struct LockedFile {
    CFileDescriptor descriptor;
    struct stat status;
};

bool SameFile(const struct stat& first, const struct stat& second) {
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool LockExclusive(int descriptor) {
    while (::flock(descriptor, LOCK_EX) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

// Opens the file for update (it must exist and be writable) and locks it.
// Another process may have renamed a new file into place while we waited
// for the lock; then the lock guards a file nobody reads any more, and we
// start over with the one now at the path.
std::optional<LockedFile> OpenLocked(const std::string& path) {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        LockedFile file{CFileDescriptor(OpenRegularFile(path.c_str(), O_RDWR)), {}};
        if (!file.descriptor.IsOpen()) return std::nullopt;
        if (!LockExclusive(file.descriptor.Get())) return std::nullopt;
        if (::fstat(file.descriptor.Get(), &file.status) != 0) return std::nullopt;
        struct stat atPath {};
        if (::stat(path.c_str(), &atPath) == 0 && SameFile(atPath, file.status)) return file;
    }
    Trace("records: the records file keeps being replaced: " + path);
    return std::nullopt;
}

}  // namespace

CRecordsTable::CRecordsTable(std::string path) : m_strPath(std::move(path)) {}

bool CRecordsTable::IsRecord(int score) const {
    const std::optional<std::vector<BYTE>> table = ReadFileHead(m_strPath, records::kTableBytes);
    if (!table) return false;
    return records::InsertionOffset(*table, records::ClampScore(score)).has_value();
}

bool CRecordsTable::AddRecord(int score, const char* name) const {
    std::optional<LockedFile> file = OpenLocked(m_strPath);
    if (!file) {
        Trace("records: cannot open the records file for update: " + m_strPath);
        return false;
    }
    RemoveStaleTemporaries(m_strPath);
    // Only the first bytes change; the rest is copied behind them unread.
    std::optional<std::vector<BYTE>> head = ReadUpTo(file->descriptor.Get(), records::kTouchedBytes);
    if (!head || !InsertRecord(*head, score, name)) return false;
    return ReplaceFileContents(m_strPath, file->status, *head, file->descriptor.Get());
}

bool CRecordsTable::InsertRecord(std::vector<BYTE>& head, int score, const char* name) {
    const int storedScore = records::ClampScore(score);
    const std::optional<std::size_t> offset = records::InsertionOffset(head, storedScore);
    if (!offset) return false;
    records::MakeRoom(head, *offset);
    WriteRecord(head, *offset, storedScore, name);
    return true;
}

void CRecordsTable::WriteRecord(std::vector<BYTE>& file, std::size_t position, int score, const char* name) {
    const records::Record record = records::FormatRecord(score, name, crt::ToLocalTime(crt::time()));
    file.resize(std::max(file.size(), position + record.size()));
    std::copy(record.begin(), record.end(), file.begin() + static_cast<std::ptrdiff_t>(position));
}
