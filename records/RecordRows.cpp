#include "records/RecordRows.h"

#include "platform/core/File.h"

#include <algorithm>
#include <optional>
#include <span>
#include <utility>

namespace {

// Hands out the file's bytes field by field, as sequential reads would:
// a field at the end of the file comes back short or empty.
class FieldReader {
public:
    explicit FieldReader(std::span<const BYTE> bytes) : m_bytes(bytes) {}

    std::span<const BYTE> Next(std::size_t width) {
        const std::span<const BYTE> field = m_bytes.first(std::min(width, m_bytes.size()));
        m_bytes = m_bytes.subspan(field.size());
        return field;
    }

private:
    std::span<const BYTE> m_bytes;
};

std::string AsText(std::span<const BYTE> field) { return std::string(field.begin(), field.end()); }

std::string UpToZero(std::span<const BYTE> field) {
    return std::string(field.begin(), std::find(field.begin(), field.end(), BYTE{0}));
}

}  // namespace

std::vector<RecordRow> ReadRecordRows(const std::string& path) {
    const std::optional<std::vector<BYTE>> table = ReadFileHead(path, records::kTableBytes);
    return table ? ParseRecordRows(*table) : std::vector<RecordRow>();
}

std::vector<RecordRow> ParseRecordRows(std::span<const BYTE> table) {
    std::vector<RecordRow> rows;
    FieldReader reader(table);
    while (rows.size() < static_cast<std::size_t>(records::kTableRecords)) {
        const std::span<const BYTE> score = reader.Next(records::kScoreWidth);
        if (score.empty()) break;
        RecordRow row;
        row.score = UpToZero(score);
        row.name = UpToZero(reader.Next(records::kNameWidth));
        row.hour = AsText(reader.Next(records::kTimeWidth));
        row.minute = AsText(reader.Next(records::kTimeWidth));
        row.day = AsText(reader.Next(records::kTimeWidth));
        row.month = AsText(reader.Next(records::kTimeWidth));
        row.year = AsText(reader.Next(records::kYearWidth));
        rows.push_back(std::move(row));
    }
    return rows;
}
