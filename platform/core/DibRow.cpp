#include "platform/core/DibRow.h"

namespace {

constexpr std::uint32_t Opaque(unsigned red, unsigned green, unsigned blue) {
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

constexpr unsigned Widen5(unsigned channel) { return channel * 255 / 31; }

}  // namespace

CDibRowDecoder::CDibRowDecoder(const BITMAPINFO& info) {
    const WORD bitCount = info.bmiHeader.biBitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return;
    m_bitCount = bitCount;
    const unsigned tableSize = bitCount <= 8 ? 1u << bitCount : 0u;
    const DWORD used = info.bmiHeader.biClrUsed;
    const unsigned colours = used == 0 || used > tableSize ? tableSize : used;
    for (unsigned index = 0; index < colours; ++index) {
        const RGBQUAD& entry = info.bmiColors[index];
        m_table[index] = Opaque(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    }
    for (unsigned index = colours; index < m_table.size(); ++index) m_table[index] = Opaque(0, 0, 0);
}

void CDibRowDecoder::Decode(const BYTE* row, std::size_t first, std::size_t count, std::uint32_t* out) const {
    const std::size_t end = first + count;
    switch (m_bitCount) {
    case 1:
        for (std::size_t x = first; x < end; ++x) *out++ = m_table[(unsigned{row[x / 8]} >> (7 - x % 8)) & 1u];
        break;
    case 4:
        for (std::size_t x = first; x < end; ++x)
            *out++ = m_table[(unsigned{row[x / 2]} >> (x % 2 == 0 ? 4 : 0)) & 15u];
        break;
    case 8:
        for (std::size_t x = first; x < end; ++x) *out++ = m_table[row[x]];
        break;
    case 16:
        for (std::size_t x = first; x < end; ++x) {
            const unsigned value = row[2 * x] | (unsigned{row[2 * x + 1]} << 8);
            *out++ = Opaque(Widen5((value >> 10) & 31u), Widen5((value >> 5) & 31u), Widen5(value & 31u));
        }
        break;
    case 24:
        for (std::size_t x = first; x < end; ++x) *out++ = Opaque(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        break;
    case 32:
        for (std::size_t x = first; x < end; ++x) *out++ = Opaque(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
        break;
    default: break;
    }
}
