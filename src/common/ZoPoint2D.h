// Integer point; the board uses it for cells (x = column, y = row), (-1, -1) meaning no cell.
#pragma once

#include <algorithm>
#include <cstdint>

template <typename T> struct ZoPoint2D {
    T x = 0;
    T y = 0;

    constexpr ZoPoint2D() = default;
    constexpr ZoPoint2D(T ax, T ay) : x(ax), y(ay) {}

    constexpr bool operator==(const ZoPoint2D& o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(const ZoPoint2D& o) const { return !(*this == o); }
    constexpr bool operator<(const ZoPoint2D& o) const { return y < o.y || (y == o.y && x < o.x); }
    constexpr ZoPoint2D operator+(const ZoPoint2D& o) const { return {x + o.x, y + o.y}; }
};

using ZoCell = ZoPoint2D<std::int32_t>;
inline constexpr ZoCell kNoCell{-1, -1};

// Rectangle in pixels, right and bottom exclusive as the window system's RECT.
struct ZoRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    std::int64_t Area() const { return Empty() ? 0 : std::int64_t{right - left} * (bottom - top); }
    bool Intersects(const ZoRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    ZoRect Intersection(const ZoRect& o) const {
        return ZoRect{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                      std::min(bottom, o.bottom)};
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    ZoRect Union(const ZoRect& o) const {
        if (Empty() || o.Empty())
            return Empty() ? o : *this;
        return ZoRect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                      std::max(bottom, o.bottom)};
    }
};
