#include "tools/headless/tests/ScenarioSupport.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "platform/core/Crt.h"

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char character : text) quoted += character == '\'' ? std::string("'\\''") : std::string(1, character);
    return quoted + "'";
}

std::string Field(int value, std::size_t width) {
    std::string text = std::to_string(value);
    text.resize(width, ' ');
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

}  // namespace

ProgramRun RunHeadless(const std::filesystem::path& folder, const std::string& arguments, const std::string& input) {
    std::ofstream(folder / "input.txt", std::ios::binary) << input;
    const std::string command = "cd " + Quote(folder.string()) + " && " + Quote(VELMOR_HEADLESS_PROGRAM) + " " +
                                arguments + " < input.txt > output.txt 2> errors.txt";
    const int status = std::system(command.c_str());
    return ProgramRun{status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                      ReadWholeFile(folder / "output.txt"), ReadWholeFile(folder / "errors.txt")};
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::set<std::string> RecordTimes(std::int64_t startSeconds, std::int64_t endSeconds) {
    std::set<std::string> times;
    for (std::int64_t seconds = startSeconds; seconds <= endSeconds + 60; seconds += 30) {
        const crt::LocalTime time = crt::ToLocalTime(std::min(seconds, endSeconds));
        times.insert(Field(time.hour, 3) + Field(time.minute, 3) + Field(time.day, 3) + Field(time.month, 3) +
                     Field(time.year, 4));
    }
    return times;
}

std::string CompareOutput(const std::string& expected, const std::string& actual,
                          const std::set<std::string>& runTimes) {
    const std::string placeholder = "{HH}|{MM}|{DD}|{MO}|{YYYY}";
    const auto want = Lines(expected);
    const auto got = Lines(actual);
    for (std::size_t index = 0; index < std::max(want.size(), got.size()); ++index) {
        const std::string wanted = index < want.size() ? want[index] : "<end>";
        std::string line = index < got.size() ? got[index] : "<end>";
        const std::size_t at = wanted.find(placeholder);
        if (at != std::string::npos && line.size() >= at + 20) {
            std::string time = line.substr(at, 20);
            std::erase(time, '|');
            // A time of the run stands for the placeholder; anything else stays a difference.
            if (runTimes.count(time) != 0) line.replace(at, 20, placeholder);
        }
        if (line != wanted) return "line " + std::to_string(index + 1) + ": expected \"" + wanted + "\", got \"" + line + "\"";
    }
    return {};
}

std::string CompareRecordsFile(const std::string& expected, const std::string& actual, const std::string& mask,
                               const std::set<std::string>& runTimes) {
    if (expected.size() != actual.size()) return "records file of " + std::to_string(actual.size()) + " bytes";
    std::string masked = actual;
    std::istringstream ranges(mask);
    std::size_t offset = 0;
    std::size_t length = 0;
    while (ranges >> offset >> length) {
        if (offset + length > actual.size() || runTimes.count(actual.substr(offset, length)) == 0) {
            return "no time of the run at offset " + std::to_string(offset);
        }
        masked.replace(offset, length, expected, offset, length);
    }
    const auto difference = std::mismatch(expected.begin(), expected.end(), masked.begin());
    if (difference.first != expected.end()) {
        return "records file differs first at byte " + std::to_string(difference.first - expected.begin());
    }
    return {};
}
