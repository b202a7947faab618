// Test support for the driver's scenarios: running velmor-headless in a
// folder, and checking output that holds the local time of the run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct ProgramRun {
    int exitStatus = -1;
    std::string output;
    std::string errors;
};

// Runs the driver in `folder` with `arguments` and `input` on its standard input.
ProgramRun RunHeadless(const std::filesystem::path& folder, const std::string& arguments, const std::string& input);

std::string ReadWholeFile(const std::filesystem::path& path);

// The local minutes (year, month, day, hour, minute) between which a run
// happened.
struct TimeWindow {
    std::int64_t first = 0;
    std::int64_t last = 0;
    static TimeWindow Around(std::int64_t startSeconds, std::int64_t endSeconds);
    // Whether the fields, as written by the records file (decimal, padded
    // with blanks), name a minute inside the window.
    bool Holds(const std::string& hour, const std::string& minute, const std::string& day, const std::string& month,
               const std::string& year) const;
};

// Compares the driver's output with the expected text, in which
// "{HH}|{MM}|{DD}|{MO}|{YYYY}" stands for the time fields of a record
// written during the run.  Empty when they match, else the first difference.
std::string CompareOutput(const std::string& expected, const std::string& actual, const TimeWindow& window);

// Compares a records file with the expected bytes; the masked ranges
// ("OFFSET LENGTH" per line) must hold one time inside the window instead.
std::string CompareRecordsFile(const std::string& expected, const std::string& actual, const std::string& mask,
                               const TimeWindow& window);
