#include "GameGeometry.h"

#include <cmath>
#include <limits>

bool IntersectSegments(const ZoVector& a1, const ZoVector& a2, const ZoVector& b1, const ZoVector& b2,
                       ZoVector& meeting) {
    const double rx = static_cast<double>(a2.x) - a1.x;
    const double ry = static_cast<double>(a2.y) - a1.y;
    const double sx = static_cast<double>(b2.x) - b1.x;
    const double sy = static_cast<double>(b2.y) - b1.y;
    const double cross = rx * sy - ry * sx;
    if (std::fabs(cross) < 0.0001) {
        return false;
    }
    const double qx = static_cast<double>(b1.x) - a1.x;
    const double qy = static_cast<double>(b1.y) - a1.y;
    const double t = (qx * sy - qy * sx) / cross;
    const double u = (qx * ry - qy * rx) / cross;
    if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0) {
        return false;
    }
    meeting = ZoVector(static_cast<float>(a1.x + t * rx), static_cast<float>(a1.y + t * ry), 0.0f);
    return true;
}

std::int32_t TruncateDouble(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}
