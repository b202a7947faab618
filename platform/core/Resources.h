// The program's "DIB" resources: complete BMP file images by identifier.
// The game has none; tests register their own.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "platform/core/Types.h"

// Only the low 16 bits of an identifier count.  The bytes stay valid until
// that identifier is registered again or the resources are cleared.
std::optional<std::span<const BYTE>> FindDibResource(UINT id);
void RegisterDibResource(UINT id, std::vector<BYTE> bytes);
void ClearDibResources();
