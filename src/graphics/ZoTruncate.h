// Float to integer truncation toward zero that stays defined for values no int can hold.
#pragma once

#include <cmath>
#include <cstdint>

inline std::int32_t TruncateToInt(float value)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483520.0f) {
        return INT32_MAX;
    }
    if (value <= -2147483648.0f) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(value);
}
