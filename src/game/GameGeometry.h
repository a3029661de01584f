// Small geometry helpers of the board: segment crossings and safe truncation.
#pragma once

#include "ZoVector.h"

#include <cstdint>

// Where segment a1-a2 meets segment b1-b2 (both parameters within 0..1); nearly parallel ones never meet.
bool IntersectSegments(const ZoVector& a1, const ZoVector& a2, const ZoVector& b1, const ZoVector& b2,
                       ZoVector& meeting);

// Truncation toward zero that stays defined for any double.
std::int32_t TruncateDouble(double value);
