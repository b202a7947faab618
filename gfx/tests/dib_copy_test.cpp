// The rectangle copies against a pixel-by-pixel model of nearest-neighbour
// sampling, with rectangles that reach past both pictures.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx/DIB.h"
#include "gfx/tests/BmpBuilder.h"

namespace {

// Pixel values 0..9 and 255 in a pattern, so that a random transparent index often occurs.
void FillPattern(CDIB& dib, int seed) {
    for (int y = 0; y < dib.ImageHeight(); ++y)
        for (int x = 0; x < dib.ImageWidth(); ++x) {
            const int value = (x * 7 + y * 13 + seed) % 11;
            *dib.GetPixelAddress(x, y) = BYTE(value == 10 ? 255 : value);
        }
}

using Picture = std::vector<std::vector<BYTE>>;  // [y][x], top row first

Picture Read(const CDIB& dib) {
    Picture picture(std::size_t(dib.ImageHeight()), std::vector<BYTE>(std::size_t(dib.ImageWidth())));
    for (int y = 0; y < dib.ImageHeight(); ++y)
        for (int x = 0; x < dib.ImageWidth(); ++x) picture[std::size_t(y)][std::size_t(x)] = *dib.GetPixelAddress(x, y);
    return picture;
}

bool Inside(const Picture& picture, long x, long y) {
    return x >= 0 && y >= 0 && y < long(picture.size()) && x < long(picture[0].size());
}

// What a nearest-neighbour copy gives, one pixel at a time: destination pixel (xd + column, yd + row) takes
// source pixel (xs + column * ws / wd, ys + row * hs / hd) where both exist.
Picture Expected(const Picture& source, Picture target, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                 COLORREF transparent) {
    for (int row = 0; row < hd; ++row) {
        for (int column = 0; column < wd; ++column) {
            const long sourceX = xs + long(column) * ws / wd;
            const long sourceY = ys + long(row) * hs / hd;
            if (!Inside(target, xd + column, yd + row) || !Inside(source, sourceX, sourceY)) continue;
            const BYTE value = source[std::size_t(sourceY)][std::size_t(sourceX)];
            if (transparent == kNoTransparentColour || value != BYTE(transparent & 0xFF))
                target[std::size_t(yd + row)][std::size_t(xd + column)] = value;
        }
    }
    return target;
}

struct CopyFixture : testing::Test {
    CDIB source;
    CDIB target;
    void SetUp() override {
        source.Create(13, 9);
        FillPattern(source, 0);
        target.Create(17, 11);
        FillPattern(target, 5);
    }
};

}  // namespace

TEST_F(CopyFixture, AllCopiesAgreeWithPixelByPixelSamplingAndClip) {
    std::mt19937 random(2024);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    // The destination size of each kind of copy: the source's, twice the source's, or any.
    const auto destinationSide = [&](int kind, int sourceSide, int largest) {
        if (kind == 0) return sourceSide;
        if (kind == 1) return 2 * sourceSide;
        return pick(1, largest);
    };
    for (int round = 0; round < 3000; ++round) {
        const int kind = round % 3;
        const int ws = pick(1, 16);
        const int hs = pick(1, 12);
        const int wd = destinationSide(kind, ws, 30);
        const int hd = destinationSide(kind, hs, 24);
        const int xd = pick(-20, 20);
        const int yd = pick(-14, 14);
        const int xs = pick(-15, 15);
        const int ys = pick(-10, 10);
        // Only the low byte names the index; 255 is an index like any other.
        const int index = pick(0, 10) == 10 ? 255 : pick(0, 9);
        const COLORREF transparent = pick(0, 1) ? kNoTransparentColour : COLORREF(pick(0, 254)) << 24 | COLORREF(index);
        const Picture expected = Expected(Read(source), Read(target), xd, yd, wd, hd, xs, ys, ws, hs, transparent);
        if (kind == 0) source.CopyRectTo(&target, xd, yd, ws, hs, xs, ys, transparent);
        if (kind == 1) source.DoubleRectTo(&target, xd, yd, xs, ys, ws, hs, transparent);
        if (kind == 2) source.StretchRectTo(&target, xd, yd, wd, hd, xs, ys, ws, hs, transparent);
        ASSERT_EQ(Read(target), expected) << "kind " << kind << " dest " << xd << "," << yd << " " << wd << "x" << hd
                                          << " src " << xs << "," << ys << " " << ws << "x" << hs;
        FillPattern(target, round);
    }
}

TEST_F(CopyFixture, EmptyNegativeAndNonByteCopiesChangeNothing) {
    const Picture before = Read(target);
    source.CopyRectTo(&target, 0, 0, 0, 5, 0, 0, kNoTransparentColour);
    source.CopyRectTo(&target, 0, 0, 5, -3, 0, 0, kNoTransparentColour);
    source.StretchRectTo(&target, 0, 0, -4, 4, 0, 0, 2, 2, kNoTransparentColour);
    source.DoubleRectTo(&target, 0, 0, 0, 0, 0, 3, kNoTransparentColour);
    source.CopyRectTo(nullptr, 0, 0, 5, 5, 0, 0, kNoTransparentColour);
    CDIB rgb;
    ASSERT_TRUE(LoadBytes(rgb, BuildBmp({.bitCount = 24})));
    rgb.CopyRectTo(&target, 0, 0, 2, 2, 0, 0, kNoTransparentColour);
    source.CopyRectTo(&rgb, 0, 0, 2, 2, 0, 0, kNoTransparentColour);
    EXPECT_EQ(Read(target), before);
}
