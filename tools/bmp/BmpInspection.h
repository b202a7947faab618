// What the picture reader makes of a file: its verdict and, from the same
// reading, the headers it saw and why it refused the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gfx/BmpReader.h"

struct BmpInspection {
    bool loaded = false;
    std::uint64_t fileSize = 0;
    BmpReport report;
};

// Reads a file as the game does; nullopt with a message when the file
// cannot be opened or read at all.
std::optional<BmpInspection> InspectBmpFile(const std::string& path, std::string& error);

// "V5" for a 124-byte header and so on; empty for sizes without a name.
std::string HeaderSizeName(DWORD headerSize);
