// Helpers for the picture tool's tests: BMP files, files on disk, and the
// tool run in place.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/tests/BmpBuilder.h"
#include "gfx/tests/TempFolder.h"
#include "platform/core/Types.h"
#include "tools/bmp/BmpTool.h"

namespace testpictures {

// A picture with exactly these colours and stored rows; a 12-byte header
// is the OS/2 form.
inline std::vector<BYTE> Bmp(DWORD headerSize, LONG width, LONG height, WORD bitCount,
                             std::vector<RGBQUAD> colours, std::vector<BYTE> pixels, DWORD clrUsed = 0) {
    return BuildBmp({.core = headerSize == 12, .headerSize = headerSize, .width = width, .height = height,
                     .bitCount = bitCount, .clrUsed = clrUsed, .colours = std::move(colours),
                     .pixels = std::move(pixels)});
}

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

}  // namespace testpictures
