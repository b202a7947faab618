#include "platform/core/Resources.h"

#include <map>
#include <utility>

namespace {

std::map<WORD, std::vector<BYTE>>& DibResources() {
    static std::map<WORD, std::vector<BYTE>> resources;
    return resources;
}

WORD ResourceKey(UINT id) { return static_cast<WORD>(id & 0xFFFFu); }

}  // namespace

std::optional<std::span<const BYTE>> FindDibResource(UINT id) {
    const auto& resources = DibResources();
    const auto found = resources.find(ResourceKey(id));
    if (found == resources.end()) return std::nullopt;
    return std::span<const BYTE>(found->second);
}

void RegisterDibResource(UINT id, std::vector<BYTE> bytes) {
    DibResources()[ResourceKey(id)] = std::move(bytes);
}

void ClearDibResources() { DibResources().clear(); }
