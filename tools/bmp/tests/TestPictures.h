// Helpers for the picture tool's tests: BMP files built byte by byte, files
// on disk, and the tool run in place.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/core/Types.h"
#include "tools/bmp/BmpTool.h"

namespace testpictures {

inline void PutLe(std::vector<BYTE>& bytes, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// A BMP file as bytes.  The header is the 40-byte form, the 12-byte OS/2
// form, or any other size (the 40-byte fields padded with zeros).
struct BmpBytes {
    DWORD headerSize = 40;
    LONG width = 1;
    LONG height = 1;
    WORD bitCount = 8;
    DWORD compression = 0;
    DWORD clrUsed = 0;
    std::vector<RGBQUAD> colours;  // 3 bytes each after a 12-byte header
    std::vector<BYTE> pixels;      // stored rows, bottom-up, right after the colour table

    std::vector<BYTE> Build() const {
        const bool core = headerSize == 12;
        const DWORD tableBytes = static_cast<DWORD>(colours.size()) * (core ? 3 : 4);
        const DWORD offset = 14 + headerSize + tableBytes;
        std::vector<BYTE> bytes{'B', 'M'};
        PutLe(bytes, offset + pixels.size(), 4);
        PutLe(bytes, 0, 4);
        PutLe(bytes, offset, 4);
        PutLe(bytes, headerSize, 4);
        if (core) {
            PutLe(bytes, static_cast<std::uint64_t>(width), 2);
            PutLe(bytes, static_cast<std::uint64_t>(height), 2);
            PutLe(bytes, 1, 2);
            PutLe(bytes, bitCount, 2);
        } else {
            PutLe(bytes, static_cast<DWORD>(width), 4);
            PutLe(bytes, static_cast<DWORD>(height), 4);
            PutLe(bytes, 1, 2);
            PutLe(bytes, bitCount, 2);
            PutLe(bytes, compression, 4);
            PutLe(bytes, pixels.size(), 4);
            PutLe(bytes, 2835, 4);
            PutLe(bytes, 2835, 4);
            PutLe(bytes, clrUsed, 4);
            PutLe(bytes, 0, 4);
            bytes.resize(14 + headerSize, 0);
        }
        for (const RGBQUAD& colour : colours) {
            bytes.insert(bytes.end(), {colour.rgbBlue, colour.rgbGreen, colour.rgbRed});
            if (!core) bytes.push_back(colour.rgbReserved);
        }
        bytes.resize(offset, 0);
        bytes.insert(bytes.end(), pixels.begin(), pixels.end());
        return bytes;
    }
};

inline void WriteBytes(const std::filesystem::path& path, const std::vector<BYTE>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline ToolResult RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    ToolResult result;
    result.status = RunBmpTool(arguments, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("velmor-bmp-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

}  // namespace testpictures
