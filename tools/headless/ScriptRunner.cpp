#include "tools/headless/ScriptRunner.h"

#include <charconv>
#include <climits>
#include <istream>
#include <ostream>
#include <vector>

#include "platform/core/Cp1251.h"
#include "platform/core/Crt.h"

namespace {

bool IsBlank(char character) { return character == ' ' || character == '\t'; }

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    text = TrimLeft(text);
    while (!text.empty()) {
        std::size_t end = 0;
        while (end < text.size() && !IsBlank(text[end])) ++end;
        words.push_back(text.substr(0, end));
        text = TrimLeft(text.substr(end));
    }
    return words;
}

}  // namespace

std::optional<long long> ParseInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

CScriptRunner::CScriptRunner(CHeadlessGame& game, std::ostream& output) : m_game(game), m_output(output) {}

int CScriptRunner::Run(std::istream& input, std::ostream& errors) {
    std::string line;
    long long lineNumber = 0;
    while (std::getline(input, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (const auto failure = RunLine(line)) {
            m_output.flush();
            errors << "velmor-headless: line " << lineNumber << ": " << *failure << '\n';
            return kExitBadInput;
        }
    }
    m_output.flush();
    return kExitSuccess;
}

std::optional<std::string> CScriptRunner::RunLine(std::string_view line) {
    const std::string_view text = TrimLeft(line);
    if (text.empty() || text.front() == '#') return std::nullopt;
    std::size_t wordEnd = 0;
    while (wordEnd < text.size() && !IsBlank(text[wordEnd])) ++wordEnd;
    const std::string_view command = text.substr(0, wordEnd);
    // The rest of the line after the one blank that ends the command word.
    const std::string_view rest = wordEnd < text.size() ? text.substr(wordEnd + 1) : std::string_view();
    const bool noArguments = TrimRight(TrimLeft(rest)).empty();

    if (command == "click") return Click(rest);
    if (command == "new") return NewGame(rest);
    if (command == "name") {
        m_game.SetNextName(Utf8ToCp1251(rest));
        return std::nullopt;
    }
    if (command == "snapshot") {
        const std::string fileName(TrimRight(TrimLeft(rest)));
        if (fileName.empty()) return "snapshot needs a file name";
        if (!m_game.SaveSnapshot(fileName)) return "cannot write the snapshot \"" + fileName + "\"";
        return std::nullopt;
    }
    if (command == "remake" || command == "scores" || command == "dump") {
        if (!noArguments) return std::string(command) + " takes no arguments";
        if (command == "remake") {
            m_game.OnRemakeMove();
        } else if (command == "scores") {
            m_game.SetRecordsOutput(&m_output);
            m_game.OnScores();
            m_game.SetRecordsOutput(nullptr);
        } else {
            m_game.Dump(m_output);
        }
        return std::nullopt;
    }
    return "unknown command \"" + std::string(command) + "\"";
}

std::optional<std::string> CScriptRunner::Click(std::string_view arguments) {
    const auto words = SplitWords(arguments);
    if (words.size() != 2) return "click needs two integers X Y";
    const auto x = ParseInteger(words[0]);
    const auto y = ParseInteger(words[1]);
    if (!x || !y) return "click needs two integers X Y";
    if (*x < INT_MIN || *x > INT_MAX || *y < INT_MIN || *y > INT_MAX) return "click coordinates out of range";
    m_game.OnLButtonDown(0, CPoint(static_cast<int>(*x), static_cast<int>(*y)));
    return std::nullopt;
}

std::optional<std::string> CScriptRunner::NewGame(std::string_view arguments) {
    const auto words = SplitWords(arguments);
    if (words.size() > 1) return "new takes at most one number";
    if (words.empty()) {
        m_game.OnNewGame();
        return std::nullopt;
    }
    const auto seconds = ParseInteger(words[0]);
    if (!seconds) return "new needs an integer clock reading";
    const crt::ScopedClock clock(*seconds);
    m_game.OnNewGame();
    return std::nullopt;
}
