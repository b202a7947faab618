// The byte layout of the records file and the pure rules of its table:
// reading a stored score, finding where a new score goes, and making room
// for it.  Nothing here touches the disk or the clock.
//
// The file is a plain run of 30-byte records, best first; only the first
// ten count.  One record:
//   0  score  5 bytes  decimal, then zero bytes
//   5  name   9 bytes  the name's bytes, then spaces
//  14  hour   3 bytes  decimal, then spaces
//  17  minute 3 bytes
//  20  day    3 bytes
//  23  month  3 bytes  1 to 12
//  26  year   4 bytes  full year
#pragma once

#include "platform/core/Crt.h"
#include "platform/core/Types.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace records {

inline constexpr const char* kDefaultPath = "res1/stat.txt";

inline constexpr std::size_t kRecordSize = 30;
inline constexpr int kTableRecords = 10;
inline constexpr std::size_t kTableBytes = kRecordSize * kTableRecords;
// An insertion reads at most the ten records from its place and moves them
// one record on, so it never reaches past the end of record 19.
inline constexpr std::size_t kTouchedBytes = 2 * kTableBytes;

inline constexpr std::size_t kScoreWidth = 5;
inline constexpr std::size_t kNameWidth = 9;
inline constexpr std::size_t kTimeWidth = 3;  // hour, minute, day and month
inline constexpr std::size_t kYearWidth = 4;
inline constexpr int kMaxScore = 99999;

using Record = std::array<BYTE, kRecordSize>;

// A score as it is stored and compared: 0 to 99999.
int ClampScore(int score);

// The number at the start of a score field, read like strtol in base 10
// (leading blanks, an optional sign) but never past the field's fifth byte;
// no digits read as 0.
int ParseStoredScore(std::span<const BYTE> field);

// Where a record for the score goes in the file (given whole, or at least its
// first kTouchedBytes bytes): the first of the ten places whose record is
// present and stored lower; else the end of a table that is not full yet.
// Nothing when the score does not enter the table.
std::optional<std::size_t> InsertionOffset(std::span<const BYTE> file, int score);

// Moves the (at most ten) records from the offset on one record further,
// leaving the bytes behind them as they were; the file never gets shorter.
void MakeRoom(std::vector<BYTE>& file, std::size_t offset);

// One complete record.  The name is cut to nine bytes; null reads as empty.
Record FormatRecord(int score, const char* name, const crt::LocalTime& time);

}  // namespace records
