// Pixels of a device-independent picture as colours, one row at a time:
// what the screen shows and what the picture tool writes out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/core/Types.h"

// Turns rows of one picture into 0xFFRRGGBB values.  The depth is decided
// once per row, not per pixel: the board alone is 130 000 of them.
class CDibRowDecoder {
public:
    // Indexed pixels take their colour-table entry, black at or beyond the
    // colour count (biClrUsed, or all the depth allows when 0 or more);
    // 16-bit pixels are x1555, each channel c widened to c * 255 / 31;
    // 24- and 32-bit pixels are blue, green, red (and unused).
    explicit CDibRowDecoder(const BITMAPINFO& info);

    // Whether the depth is one of 1, 4, 8, 16, 24 and 32 bits.
    bool CanDecode() const { return m_bitCount != 0; }

    // Pixels first .. first + count - 1 of a stored row.
    void Decode(const BYTE* row, std::size_t first, std::size_t count, std::uint32_t* out) const;

private:
    WORD m_bitCount = 0;
    std::array<std::uint32_t, 256> m_table{};
};
