// CDIB's rectangle copies: colour indices moved byte for byte between 8-bit
// images, optionally skipping one transparent index.  Every rectangle is
// clipped to both images first, so no copy reads or writes outside a buffer.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/DIB.h"

namespace {

using Int64 = std::int64_t;

// Clips a 1:1 run along one axis: destination start, source start and
// length shift together.  False when nothing of it lies in both images.
bool ClipRun(int& destinationStart, int& sourceStart, int& length, int destinationLimit, int sourceLimit) {
    if (length <= 0) return false;
    const Int64 shift = std::max<Int64>({0, -Int64{destinationStart}, -Int64{sourceStart}});
    const Int64 destination = destinationStart + shift;
    const Int64 source = sourceStart + shift;
    const Int64 clipped = std::min<Int64>({length - shift, destinationLimit - destination, sourceLimit - source});
    if (clipped <= 0) return false;
    destinationStart = static_cast<int>(destination);
    sourceStart = static_cast<int>(source);
    length = static_cast<int>(clipped);
    return true;
}

// One byte per pixel: the first byte of row y (counted from the top).
BYTE* RowStart(BYTE* bits, int height, int bytesPerRow, Int64 y) {
    return bits + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(bytesPerRow);
}

// The destination positions [first, last) of a scaled run whose position i
// samples source position sourceStart + sample(i); sample never decreases.
template <typename Sample>
void ClipScaledRun(Int64 destinationStart, Int64 length, Int64 destinationLimit, Int64 sourceStart, Int64 sourceLimit,
                   Sample sample, Int64& first, Int64& last) {
    first = std::max<Int64>(0, -destinationStart);
    last = std::min<Int64>(length, destinationLimit - destinationStart);
    while (first < last && sourceStart + sample(first) < 0) ++first;
    while (last > first && sourceStart + sample(last - 1) >= sourceLimit) --last;
}

}  // namespace

bool CDIB::CopiesBetween(const CDIB* destination) const {
    if (destination == nullptr || !m_pBitmapInfo || !destination->m_pBitmapInfo) return false;
    if (m_pBits == nullptr || destination->m_pBits == nullptr) return false;
    // One byte is one pixel only at 8 bits.
    return m_pBitmapInfo->bmiHeader.biBitCount == 8 && destination->m_pBitmapInfo->bmiHeader.biBitCount == 8;
}

void CDIB::CopyRectTo(CDIB* destination, int xd, int yd, int w, int h, int xs, int ys, COLORREF clrTransparent) const {
    if (!CopiesBetween(destination)) return;
    if (!ClipRun(xd, xs, w, destination->ImageWidth(), ImageWidth()) ||
        !ClipRun(yd, ys, h, destination->ImageHeight(), ImageHeight())) {
        return;
    }
    if (destination->m_pTwin) CopyToTwinOf(destination, xd, yd, w, h, xs, ys, clrTransparent);
    // The bottom row of each rectangle comes first in memory.
    const BYTE* source = GetPixelAddress(xs, ys + h - 1);
    BYTE* target = destination->GetPixelAddress(xd, yd + h - 1);
    const auto sourceStride = static_cast<std::size_t>(BytesPerRow());
    const auto targetStride = static_cast<std::size_t>(destination->BytesPerRow());
    const auto width = static_cast<std::size_t>(w);
    if (clrTransparent == kNoTransparentColour) {
        // Within one image the rows may overlap.
        const bool sameImage = destination == this;
        for (int row = 0; row < h; ++row) {
            if (sameImage) {
                std::memmove(target, source, width);
            } else {
                std::memcpy(target, source, width);
            }
            source += sourceStride;
            target += targetStride;
        }
        return;
    }
    const auto transparent = static_cast<BYTE>(clrTransparent & 0xFF);
    for (int row = 0; row < h; ++row) {
        // Written as a select, not a branch, so the compiler can vectorise
        // it: a transparent pixel gets its own value back.
        for (std::size_t column = 0; column < width; ++column) {
            const BYTE value = source[column];
            target[column] = value != transparent ? value : target[column];
        }
        source += sourceStride;
        target += targetStride;
    }
}

// The rectangles are already clipped to both pictures, so the doubled ones
// lie inside the twins.  A source without a twin is doubled pixel by pixel.
void CDIB::CopyToTwinOf(CDIB* destination, int xd, int yd, int w, int h, int xs, int ys,
                        COLORREF clrTransparent) const {
    CDIB* target = destination->m_pTwin.get();
    if (m_pTwin) {
        m_pTwin->CopyRectTo(target, 2 * xd, 2 * yd, 2 * w, 2 * h, 2 * xs, 2 * ys, clrTransparent);
    } else {
        CDIB::DoubleRectTo(target, 2 * xd, 2 * yd, xs, ys, w, h, clrTransparent);
    }
}

// The scaled copies are not repeated at twice the resolution: they drop the
// destination's twin, which is then drawn from its own pixels.
void CDIB::StretchRectTo(CDIB* destination, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                         COLORREF clrTransparent) const {
    if (wd == 0 || hd == 0 || ws == 0 || hs == 0) return;
    if (Int64{wd} == 2 * Int64{ws} && Int64{hd} == 2 * Int64{hs}) {
        DoubleRectTo(destination, xd, yd, xs, ys, ws, hs, clrTransparent);
        return;
    }
    if (wd < 0 || hd < 0 || ws < 0 || hs < 0 || !CopiesBetween(destination)) return;
    destination->m_pTwin.reset();

    auto sampleColumn = [wd, ws](Int64 column) { return column * ws / wd; };
    auto sampleRow = [hd, hs](Int64 row) { return row * hs / hd; };
    Int64 firstColumn = 0;
    Int64 lastColumn = 0;
    ClipScaledRun(xd, wd, destination->ImageWidth(), xs, ImageWidth(), sampleColumn, firstColumn, lastColumn);
    Int64 firstRow = 0;
    Int64 lastRow = 0;
    ClipScaledRun(yd, hd, destination->ImageHeight(), ys, ImageHeight(), sampleRow, firstRow, lastRow);
    if (firstColumn >= lastColumn || firstRow >= lastRow) return;

    std::vector<std::size_t> sourceColumns;
    sourceColumns.reserve(static_cast<std::size_t>(lastColumn - firstColumn));
    for (Int64 column = firstColumn; column < lastColumn; ++column) {
        sourceColumns.push_back(static_cast<std::size_t>(xs + sampleColumn(column)));
    }
    const auto runLength = sourceColumns.size();
    const auto targetStride = static_cast<std::size_t>(destination->BytesPerRow());
    const bool opaque = clrTransparent == kNoTransparentColour;
    const auto transparent = static_cast<BYTE>(clrTransparent & 0xFF);
    Int64 previousSourceRow = -1;
    // Bottom row first, as the rows lie in memory.
    for (Int64 row = lastRow - 1; row >= firstRow; --row) {
        const Int64 sourceRow = ys + sampleRow(row);
        BYTE* target = RowStart(destination->m_pBits, destination->ImageHeight(), destination->BytesPerRow(),
                                yd + row) +
                       (xd + firstColumn);
        if (opaque && sourceRow == previousSourceRow) {
            // The row below, written just before, sampled the same source row.
            std::memcpy(target, target - targetStride, runLength);
            continue;
        }
        const BYTE* source = RowStart(m_pBits, ImageHeight(), BytesPerRow(), sourceRow);
        for (std::size_t index = 0; index < runLength; ++index) {
            const BYTE value = source[sourceColumns[index]];
            if (opaque || value != transparent) target[index] = value;
        }
        previousSourceRow = sourceRow;
    }
}

void CDIB::DoubleRectTo(CDIB* destination, int xd, int yd, int xs, int ys, int ws, int hs,
                        COLORREF clrTransparent) const {
    if (ws <= 0 || hs <= 0 || !CopiesBetween(destination)) return;
    destination->m_pTwin.reset();
    auto half = [](Int64 position) { return position / 2; };
    Int64 firstColumn = 0;
    Int64 lastColumn = 0;
    ClipScaledRun(xd, 2 * Int64{ws}, destination->ImageWidth(), xs, ImageWidth(), half, firstColumn, lastColumn);
    Int64 firstRow = 0;
    Int64 lastRow = 0;
    ClipScaledRun(yd, 2 * Int64{hs}, destination->ImageHeight(), ys, ImageHeight(), half, firstRow, lastRow);
    if (firstColumn >= lastColumn || firstRow >= lastRow) return;

    const bool opaque = clrTransparent == kNoTransparentColour;
    const auto transparent = static_cast<BYTE>(clrTransparent & 0xFF);
    for (Int64 row = lastRow - 1; row >= firstRow; --row) {
        const BYTE* source = RowStart(m_pBits, ImageHeight(), BytesPerRow(), ys + half(row));
        BYTE* target = RowStart(destination->m_pBits, destination->ImageHeight(), destination->BytesPerRow(), yd + row);
        for (Int64 column = firstColumn; column < lastColumn; ++column) {
            const BYTE value = source[xs + half(column)];
            if (opaque || value != transparent) target[xd + column] = value;
        }
    }
}
