// Points and rectangles in pixels; right and bottom are exclusive.
#pragma once

#include <algorithm>

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int xValue, int yValue) : x(xValue), y(yValue) {}
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int leftEdge, int topEdge, int rightEdge, int bottomEdge)
        : left(leftEdge), top(topEdge), right(rightEdge), bottom(bottomEdge) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }

    // Makes this rectangle the overlap of the two; an empty overlap becomes
    // (0, 0, 0, 0) and the answer is false.
    constexpr bool IntersectRect(const CRect& first, const CRect& second) {
        CRect overlap(std::max(first.left, second.left), std::max(first.top, second.top),
                      std::min(first.right, second.right), std::min(first.bottom, second.bottom));
        const bool empty = overlap.right <= overlap.left || overlap.bottom <= overlap.top;
        *this = empty ? CRect() : overlap;
        return !empty;
    }

    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};
