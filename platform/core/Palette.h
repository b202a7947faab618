// A logical palette: up to 256 colours.  Its handle is the object's address,
// valid while the object lives.
#pragma once

#include <vector>

#include "platform/core/Types.h"

struct HPALETTE__;
using HPALETTE = HPALETTE__*;

class CPalette {
public:
    // 1 to 256 entries; otherwise FALSE and nothing changes.
    BOOL CreatePalette(const PALETTEENTRY* entries, int count);
    // -1 when no palette was created.
    int GetEntryCount() const { return m_entries.empty() ? -1 : static_cast<int>(m_entries.size()); }
    // Copies entries start.. up to count of them; returns how many.
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* out) const;
    // The entry of least squared RGB distance to the colour (its low 24
    // bits); the first of equals wins.  0xFFFFFFFF without a palette.
    UINT GetNearestPaletteIndex(COLORREF colour) const;

    // Null when no palette was created; FromHandle undoes the cast.
    HPALETTE GetSafeHandle() const {
        return m_entries.empty() ? nullptr : reinterpret_cast<HPALETTE>(const_cast<CPalette*>(this));
    }
    static CPalette* FromHandle(HPALETTE handle) { return reinterpret_cast<CPalette*>(handle); }

private:
    std::vector<PALETTEENTRY> m_entries;
};
