#include "records/RecordLayout.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace records {
namespace {

// The C locale's blanks, as strtol skips them.
bool IsBlank(BYTE byte) {
    return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r';
}

bool IsDigit(BYTE byte) { return byte >= '0' && byte <= '9'; }

// Writes the value in decimal at the offset and fills the rest of the field.
// The value is kept within what the field can hold, so that a field never
// runs into its neighbour.
void PutNumber(Record& record, std::size_t offset, std::size_t width, int value, BYTE fill) {
    int limit = 1;
    for (std::size_t i = 0; i < width; ++i) limit *= 10;
    const std::string digits = std::to_string(std::clamp(value, 0, limit - 1));
    std::fill_n(record.begin() + static_cast<std::ptrdiff_t>(offset), width, fill);
    std::copy(digits.begin(), digits.end(), record.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::optional<int> StoredScoreAt(std::span<const BYTE> file, int place) {
    const std::size_t offset = kRecordSize * static_cast<std::size_t>(place);
    if (offset >= file.size()) return std::nullopt;
    return ParseStoredScore(file.subspan(offset));
}

}  // namespace

int ClampScore(int score) { return std::clamp(score, 0, kMaxScore); }

int ParseStoredScore(std::span<const BYTE> field) {
    const std::size_t end = std::min(field.size(), kScoreWidth);
    std::size_t index = 0;
    while (index < end && IsBlank(field[index])) ++index;
    bool negative = false;
    if (index < end && (field[index] == '+' || field[index] == '-')) {
        negative = field[index] == '-';
        ++index;
    }
    int value = 0;  // at most five digits: no overflow
    for (; index < end && IsDigit(field[index]); ++index) value = value * 10 + (field[index] - '0');
    return negative ? -value : value;
}

std::optional<std::size_t> InsertionOffset(std::span<const BYTE> file, int score) {
    if (file.empty()) return 0;
    for (int place = 0; place < kTableRecords; ++place) {
        const std::optional<int> stored = StoredScoreAt(file, place);
        // Strictly greater: among equal scores the older record stays above.
        if (stored && score > *stored) return kRecordSize * static_cast<std::size_t>(place);
    }
    if (file.size() < kTableBytes) return file.size();
    return std::nullopt;
}

void MakeRoom(std::vector<BYTE>& file, std::size_t offset) {
    if (offset >= file.size()) return;
    const std::size_t moved = std::min(kTableBytes, file.size() - offset);
    const std::vector<BYTE> buffer(file.begin() + static_cast<std::ptrdiff_t>(offset),
                                   file.begin() + static_cast<std::ptrdiff_t>(offset + moved));
    const std::size_t target = offset + kRecordSize;
    file.resize(std::max(file.size(), target + moved));
    std::copy(buffer.begin(), buffer.end(), file.begin() + static_cast<std::ptrdiff_t>(target));
}

Record FormatRecord(int score, const char* name, const crt::LocalTime& time) {
    Record record{};
    PutNumber(record, 0, kScoreWidth, ClampScore(score), 0);
    std::size_t offset = kScoreWidth;
    const std::size_t nameLength = name ? strnlen(name, kNameWidth) : 0;
    std::fill_n(record.begin() + static_cast<std::ptrdiff_t>(offset), kNameWidth, BYTE{' '});
    std::memcpy(record.data() + offset, name ? name : "", nameLength);
    offset += kNameWidth;
    for (const int field : {time.hour, time.minute, time.day, time.month}) {
        PutNumber(record, offset, kTimeWidth, field, ' ');
        offset += kTimeWidth;
    }
    PutNumber(record, offset, kYearWidth, time.year, ' ');
    return record;
}

}  // namespace records
