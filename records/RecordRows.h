// The rows of the records table as the records dialog shows them, read from
// the file without any window: for the dialog's paint and for text output.
#pragma once

#include "records/RecordLayout.h"

#include <span>
#include <string>
#include <vector>

// The texts of one row, as raw Windows-1251 bytes.  The score and the name
// end at their field's first zero byte (the name keeps its filling spaces);
// the time fields are exactly the bytes of their fields, which a record cut
// short by the end of the file may leave shorter or empty.
struct RecordRow {
    std::string score;
    std::string name;
    std::string hour;
    std::string minute;
    std::string day;
    std::string month;
    std::string year;
};

// At most ten rows, reading record after record until a score field is
// missing.  A missing or unreadable file gives no rows.
std::vector<RecordRow> ReadRecordRows(const std::string& path = records::kDefaultPath);
// The same from the file's first bytes.
std::vector<RecordRow> ParseRecordRows(std::span<const BYTE> table);
