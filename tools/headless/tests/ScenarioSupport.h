// Test support for the driver's scenarios: running velmor-headless in a
// folder, and checking output that holds the local time of the run.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

struct ProgramRun {
    int exitStatus = -1;
    std::string output;
    std::string errors;
};

// Runs the driver in `folder` with `arguments` and `input` on its standard input.
ProgramRun RunHeadless(const std::filesystem::path& folder, const std::string& arguments, const std::string& input);

std::string ReadWholeFile(const std::filesystem::path& path);

// The 16 time bytes of a record (hour, minute, day, month, year, each
// padded with blanks) for every minute from start to end.
std::set<std::string> RecordTimes(std::int64_t startSeconds, std::int64_t endSeconds);

// Compares the driver's output with the expected text, in which
// "{HH}|{MM}|{DD}|{MO}|{YYYY}" stands for the time fields of a record
// written during the run.  Empty when they match, else the first difference.
std::string CompareOutput(const std::string& expected, const std::string& actual,
                          const std::set<std::string>& runTimes);

// Compares a records file with the expected bytes; each masked range
// ("OFFSET LENGTH" per line) must hold a time of the run instead.
std::string CompareRecordsFile(const std::string& expected, const std::string& actual, const std::string& mask,
                               const std::set<std::string>& runTimes);
