#include "tools/headless/tests/ScenarioSupport.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "platform/core/Crt.h"

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char character : text) {
        if (character == '\'') quoted += "'\\''";
        else quoted.push_back(character);
    }
    return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) lines.push_back(line);
    return lines;
}

std::int64_t MinuteNumber(int year, int month, int day, int hour, int minute) {
    return (((static_cast<std::int64_t>(year) * 13 + month) * 32 + day) * 24 + hour) * 60 + minute;
}

// A field as the records file writes it: decimal digits, then blanks.
bool ParseField(const std::string& field, int& value) {
    const std::size_t digits = field.find_first_not_of("0123456789");
    const std::string number = field.substr(0, digits);
    if (number.empty() || number.size() > 4) return false;
    if (digits != std::string::npos && field.find_first_not_of(' ', digits) != std::string::npos) return false;
    value = std::stoi(number);
    return true;
}

}  // namespace

ProgramRun RunHeadless(const std::filesystem::path& folder, const std::string& arguments, const std::string& input) {
    const std::filesystem::path inputFile = folder / "input.txt";
    std::ofstream(inputFile, std::ios::binary) << input;
    const std::filesystem::path outputFile = folder / "output.txt";
    const std::filesystem::path errorFile = folder / "errors.txt";
    const std::string command = "cd " + Quote(folder.string()) + " && " + Quote(VELMOR_HEADLESS_PROGRAM) + " " +
                                arguments + " < " + Quote(inputFile.string()) + " > " + Quote(outputFile.string()) +
                                " 2> " + Quote(errorFile.string());
    ProgramRun run;
    const int status = std::system(command.c_str());
    run.exitStatus = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = ReadWholeFile(outputFile);
    run.errors = ReadWholeFile(errorFile);
    return run;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TimeWindow TimeWindow::Around(std::int64_t startSeconds, std::int64_t endSeconds) {
    const auto first = crt::ToLocalTime(startSeconds);
    const auto last = crt::ToLocalTime(endSeconds);
    return TimeWindow{MinuteNumber(first.year, first.month, first.day, first.hour, first.minute),
                      MinuteNumber(last.year, last.month, last.day, last.hour, last.minute)};
}

bool TimeWindow::Holds(const std::string& hour, const std::string& minute, const std::string& day,
                       const std::string& month, const std::string& year) const {
    int values[5] = {};
    const std::string* fields[5] = {&year, &month, &day, &hour, &minute};
    for (int index = 0; index < 5; ++index) {
        if (!ParseField(*fields[index], values[index])) return false;
    }
    const std::int64_t when = MinuteNumber(values[0], values[1], values[2], values[3], values[4]);
    return when >= first && when <= last;
}

std::string CompareOutput(const std::string& expected, const std::string& actual, const TimeWindow& window) {
    const auto expectedLines = Lines(expected);
    const auto actualLines = Lines(actual);
    const std::string placeholder = "{HH}|{MM}|{DD}|{MO}|{YYYY}";
    for (std::size_t index = 0; index < std::max(expectedLines.size(), actualLines.size()); ++index) {
        const std::string want = index < expectedLines.size() ? expectedLines[index] : "<end of output>";
        const std::string got = index < actualLines.size() ? actualLines[index] : "<end of output>";
        const std::size_t at = want.find(placeholder);
        if (at == std::string::npos) {
            if (want != got) return "line " + std::to_string(index + 1) + ": expected \"" + want + "\", got \"" + got + "\"";
            continue;
        }
        const std::size_t tail = want.size() - at - placeholder.size();
        const bool frame = got.size() == at + 20 + tail && got.compare(0, at, want, 0, at) == 0 &&
                           got.compare(at + 20, tail, want, at + placeholder.size(), tail) == 0;
        const std::string fields = frame ? got.substr(at, 20) : std::string();
        const bool separated = frame && fields[3] == '|' && fields[7] == '|' && fields[11] == '|' && fields[15] == '|';
        if (!separated || !window.Holds(fields.substr(0, 3), fields.substr(4, 3), fields.substr(8, 3),
                                        fields.substr(12, 3), fields.substr(16, 4))) {
            return "line " + std::to_string(index + 1) + ": expected a time of the run in \"" + want + "\", got \"" +
                   got + "\"";
        }
    }
    return {};
}

std::string CompareRecordsFile(const std::string& expected, const std::string& actual, const std::string& mask,
                               const TimeWindow& window) {
    if (expected.size() != actual.size()) {
        return "records file has " + std::to_string(actual.size()) + " bytes, expected " +
               std::to_string(expected.size());
    }
    std::vector<bool> masked(expected.size(), false);
    std::istringstream ranges(mask);
    std::size_t offset = 0;
    std::size_t length = 0;
    while (ranges >> offset >> length) {
        if (offset + length > actual.size() || length != 16) return "bad mask range";
        const std::string time = actual.substr(offset, length);
        if (!window.Holds(time.substr(0, 3), time.substr(3, 3), time.substr(6, 3), time.substr(9, 3),
                          time.substr(12, 4))) {
            return "time at offset " + std::to_string(offset) + " is not of the run: \"" + time + "\"";
        }
        for (std::size_t index = offset; index < offset + length; ++index) masked[index] = true;
    }
    for (std::size_t index = 0; index < expected.size(); ++index) {
        if (!masked[index] && expected[index] != actual[index]) {
            return "records file differs first at byte " + std::to_string(index);
        }
    }
    return {};
}
