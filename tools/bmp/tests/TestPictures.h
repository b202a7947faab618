// Helpers for the picture tool's tests: BMP files and the tool run in place.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "gfx/tests/BmpBuilder.h"
#include "tests/support/Files.h"
#include "tools/bmp/BmpTool.h"

namespace testpictures {

struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline ToolResult RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunBmpTool(arguments, out, err);
    return {status, out.str(), err.str()};
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

}  // namespace testpictures
