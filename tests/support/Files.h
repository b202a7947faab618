// Files for tests: a scratch folder of their own, whole-file reads and
// writes, the game's pictures, and programs run with their output in files.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Types.h"

// A fresh, empty folder under the system's temporary folder, removed with the object; names differ by process and by
// object, as tests run in parallel. With Enter::yes it is the current folder for the object's lifetime.
class CScratchFolder {
public:
    enum class Enter { no, yes };

    explicit CScratchFolder(Enter enter = Enter::no);
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;  // the current folder before, when entered
};

// Every byte of the file; nothing when it cannot be read.
std::optional<std::vector<BYTE>> ReadWholeFile(const std::filesystem::path& path);
// The same as text; empty when the file cannot be read.
std::string ReadText(const std::filesystem::path& path);
// Replaces the file's contents; false when it cannot be written.
bool WriteWholeFile(const std::filesystem::path& path, std::span<const BYTE> bytes);
bool WriteWholeFile(const std::filesystem::path& path, std::string_view text);
// The lines of a text, or its fields with another separator.
std::vector<std::string> Lines(const std::string& text, char separator = '\n');
// Fills `folder` (made when missing) with the pictures the build drew for
// the game's run folder; false when one cannot be copied.
bool CopyGamePictures(const std::filesystem::path& folder);

// What a program printed, and its exit status (-1 when it did not end by itself).
struct ProgramRun {
    int exitCode = -1;
    std::string output;
    std::string errors;
};
// Runs a command line (variables to set, the program, its arguments: shell
// words) in `folder` with `input` on its standard input; a program still
// running after two minutes is ended (status 124).
ProgramRun RunCommand(const std::string& commandLine, const std::filesystem::path& folder, std::string_view input = {});
