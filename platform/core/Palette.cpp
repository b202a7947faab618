#include "platform/core/Palette.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPalette, CObject)

BOOL CPalette::CreatePalette(const PALETTEENTRY* entries, int count) {
    if (entries == nullptr || count < 1 || count > kMaxColours) return FALSE;
    m_entries.assign(entries, entries + count);
    m_bCreated = true;
    return TRUE;
}

BOOL CPalette::DeleteObject() {
    if (!m_bCreated) return FALSE;
    m_entries.clear();
    m_bCreated = false;
    return TRUE;
}

int CPalette::GetEntryCount() const {
    return m_bCreated ? static_cast<int>(m_entries.size()) : -1;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* out) const {
    if (!m_bCreated || out == nullptr || start >= m_entries.size()) return 0;
    const auto available = static_cast<UINT>(m_entries.size()) - start;
    const UINT copied = std::min(count, available);
    std::copy_n(m_entries.begin() + start, copied, out);
    return copied;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF colour) const {
    if (!m_bCreated) return CLR_INVALID;
    const int red = GetRValue(colour);
    const int green = GetGValue(colour);
    const int blue = GetBValue(colour);
    UINT best = 0;
    int bestDistance = 3 * 255 * 255 + 1;
    for (std::size_t index = 0; index < m_entries.size(); ++index) {
        const PALETTEENTRY& entry = m_entries[index];
        const int dr = entry.peRed - red;
        const int dg = entry.peGreen - green;
        const int db = entry.peBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        // Strictly less: the first of equally near entries wins.
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<UINT>(index);
        }
    }
    return best;
}

HPALETTE CPalette::GetSafeHandle() const {
    // The handle is the object itself; FromHandle undoes the cast.
    return m_bCreated ? reinterpret_cast<HPALETTE>(const_cast<CPalette*>(this)) : nullptr;
}

CPalette* CPalette::FromHandle(HPALETTE handle) { return reinterpret_cast<CPalette*>(handle); }
