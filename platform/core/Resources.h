// The program's "DIB" resources: complete BMP file images by identifier.
// The game has none; tests register their own.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <vector>

#include "platform/core/Types.h"

class CDibResourceTable {
    friend std::optional<std::span<const BYTE>> FindDibResource(UINT id);
    friend class CDibResources;
    static std::map<WORD, std::vector<BYTE>>& Entries() {
        static std::map<WORD, std::vector<BYTE>> entries;
        return entries;
    }
};

// Only the low 16 bits of an identifier count.
inline std::optional<std::span<const BYTE>> FindDibResource(UINT id) {
    const auto found = CDibResourceTable::Entries().find(static_cast<WORD>(id & 0xFFFFu));
    if (found == CDibResourceTable::Entries().end()) return std::nullopt;
    return std::span<const BYTE>(found->second);
}
