#include "tests/support/Files.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

CScratchFolder::CScratchFolder(Enter enter) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();  // no test can run without it
    m_path = pattern;
    if (enter == Enter::yes) {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path);
    }
}

CScratchFolder::~CScratchFolder() {
    std::error_code ignored;
    if (!m_previous.empty()) std::filesystem::current_path(m_previous, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::optional<std::vector<BYTE>> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<BYTE> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;
    return bytes;
}

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

bool WriteWholeFile(const std::filesystem::path& path, std::span<const BYTE> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

bool WriteWholeFile(const std::filesystem::path& path, std::string_view text) {
    return WriteWholeFile(path, std::span(reinterpret_cast<const BYTE*>(text.data()), text.size()));
}

std::vector<std::string> Lines(const std::string& text, char separator) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line, separator);) lines.push_back(line);
    return lines;
}

bool CopyGamePictures(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const auto& entry : std::filesystem::directory_iterator(VELMOR_PICTURES_DIR, error)) {
        if (entry.path().extension() != ".bmp") continue;
        std::filesystem::copy_file(entry.path(), folder / entry.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing, error);
        if (error) return false;
    }
    return !error && std::filesystem::exists(folder / "pole.bmp");
}

ProgramRun RunCommand(const std::string& commandLine, const std::filesystem::path& folder, std::string_view input) {
    const CScratchFolder io;
    WriteWholeFile(io.Path() / "in", input);
    const std::string command = "cd '" + folder.string() + "' && timeout 120 env " + commandLine + " <'" + (io / "in") +
                                "' >'" + (io / "out") + "' 2>'" + (io / "err") + "'";
    const int status = std::system(command.c_str());
    return {status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(io.Path() / "out"),
            ReadText(io.Path() / "err")};
}
