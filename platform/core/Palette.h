// A logical palette: up to 256 colours.  Its handle is the object's address,
// valid while the object lives.
#pragma once

#include <vector>

#include "platform/core/Object.h"
#include "platform/core/Types.h"

struct HPALETTE__;
using HPALETTE = HPALETTE__*;

inline constexpr UINT CLR_INVALID = 0xFFFFFFFF;

class CPalette : public CObject {
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() = default;

    // 1 to 256 entries; otherwise FALSE and nothing changes.
    BOOL CreatePalette(const PALETTEENTRY* entries, int count);
    BOOL DeleteObject();
    // -1 when no palette was created.
    int GetEntryCount() const;
    // Copies entries start.. up to count of them; returns how many.
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* out) const;
    // The entry of least squared RGB distance to the colour (its low 24
    // bits); the first of equals wins.  CLR_INVALID without a palette.
    UINT GetNearestPaletteIndex(COLORREF colour) const;

    // Null when no palette was created.
    HPALETTE GetSafeHandle() const;
    static CPalette* FromHandle(HPALETTE handle);
    operator HPALETTE() const { return GetSafeHandle(); }

private:
    std::vector<PALETTEENTRY> m_entries;
    bool m_bCreated = false;
};
