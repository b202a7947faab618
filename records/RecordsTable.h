// The table of the ten best results, kept in the records file
// ("res1/stat.txt" under the current folder unless told otherwise).
// Holds nothing but the file's path: every call reads the file afresh.
//
// The file is never created here; a missing file is a table nobody may
// enter.  Updates are crash-safe and serialised between processes: the new
// contents are written beside the file and renamed over it while an advisory
// lock on the file is held, so a killed game never leaves a torn table and
// two games ending at once both keep their records.
#pragma once

#include "platform/core/Types.h"
#include "records/RecordLayout.h"

#include <cstddef>
#include <string>
#include <vector>

class CRecordsTable {
public:
    explicit CRecordsTable(std::string path = records::kDefaultPath);

    // Whether a finished game with this score enters the table; false when
    // the file is missing or unreadable.
    bool IsRecord(int score) const;

    // Stores a record for the score and name at its place: above every lower
    // score and below every equal or higher one.  Names are cut to nine bytes,
    // scores kept within 0 to 99999.  Writes nothing when the file is missing,
    // read-only, or the score does not enter the table; true when it wrote.
    bool AddRecord(int score, const char* name) const;

    // Puts a record for the score and name into the file's first bytes (at
    // least kTouchedBytes of them, or all), as AddRecord does; false when the
    // score does not enter the table.
    static bool InsertRecord(std::vector<BYTE>& head, int score, const char* name);

    // Writes one complete record with the current local time (one reading of
    // the clock) at the position of the file's bytes, growing them as needed.
    static void WriteRecord(std::vector<BYTE>& file, std::size_t position, int score, const char* name);

    const std::string& GetPath() const { return m_strPath; }

private:
    std::string m_strPath;
};
