// Integer point; the board uses it for cells (x = column, y = row), (-1, -1) meaning no cell.
#pragma once

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
};
