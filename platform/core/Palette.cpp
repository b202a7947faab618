#include "platform/core/Palette.h"

#include <algorithm>

BOOL CPalette::CreatePalette(const PALETTEENTRY* entries, int count) {
    if (entries == nullptr || count < 1 || count > kMaxColours) return FALSE;
    m_entries.assign(entries, entries + count);
    return TRUE;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* out) const {
    if (out == nullptr || start >= m_entries.size()) return 0;
    const auto available = static_cast<UINT>(m_entries.size()) - start;
    const UINT copied = std::min(count, available);
    std::copy_n(m_entries.begin() + start, copied, out);
    return copied;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF colour) const {
    if (m_entries.empty()) return 0xFFFFFFFF;
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
