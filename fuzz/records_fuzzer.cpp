// Feeds arbitrary bytes to the records table as the old file, then plays the
// end of a game against them the way the game does: whether the score enters
// (from the table's bytes), the insertion (on the bytes an update reads), and
// the rows the dialog shows.  The first eight bytes choose the score and the
// name's length, the next bytes are the name, the rest is the old file.
// Whatever the old bytes, a stored record must stand where the table says it
// goes, hold the score, and leave the records before it in place and the ones
// after it one place on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "records/RecordLayout.h"
#include "records/RecordRows.h"
#include "records/RecordsTable.h"

namespace {

bool Same(std::span<const BYTE> a, std::span<const BYTE> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    std::int32_t score = 0;
    std::memcpy(&score, data, sizeof score);
    const std::size_t nameLength = std::min<std::size_t>(data[4], size - 8);
    const std::string name(reinterpret_cast<const char*>(data + 8), nameLength);
    const std::span<const BYTE> file(data + 8 + nameLength, size - 8 - nameLength);

    const std::span<const BYTE> table = file.first(std::min(file.size(), records::kTableBytes));
    const auto offset = records::InsertionOffset(table, records::ClampScore(score));
    const std::span<const BYTE> was = file.first(std::min(file.size(), records::kTouchedBytes));
    std::vector<BYTE> head(was.begin(), was.end());
    const bool stored = CRecordsTable::InsertRecord(head, score, name.c_str());
    if (stored != offset.has_value()) __builtin_trap();
    if (!stored) {
        if (!Same(head, was)) __builtin_trap();
    } else {
        const std::size_t at = *offset;
        const std::size_t ahead = std::min(at, was.size());
        const std::size_t kept = std::min(was.size() - ahead, records::kTableBytes - at);
        const std::span<const BYTE> now(head);
        if (now.size() < was.size() || now.size() < at + records::kRecordSize) __builtin_trap();
        if (records::ParseStoredScore(now.subspan(at, records::kScoreWidth)) != records::ClampScore(score)) {
            __builtin_trap();
        }
        if (!Same(was.first(ahead), now.first(ahead))) __builtin_trap();
        if (!Same(was.subspan(ahead, kept), now.subspan(at + records::kRecordSize, kept))) __builtin_trap();
    }
    const std::size_t shown = std::min(head.size(), records::kTableBytes);
    if (ParseRecordRows({head.data(), shown}).size() > static_cast<std::size_t>(records::kTableRecords)) {
        __builtin_trap();
    }
    return 0;
}
