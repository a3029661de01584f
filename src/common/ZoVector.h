// Three-float vector in screen pixels (x right, y down, z as drawing depth where used).
#pragma once

#include <cmath>

struct ZoVector {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr ZoVector() = default;
    constexpr ZoVector(float ax, float ay, float az = 0.0f) : x(ax), y(ay), z(az) {}

    ZoVector operator+(const ZoVector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    ZoVector operator-(const ZoVector& o) const { return {x - o.x, y - o.y, z - o.z}; }
    ZoVector operator-() const { return {-x, -y, -z}; }
    ZoVector operator*(float s) const { return {x * s, y * s, z * s}; }
    ZoVector& operator+=(const ZoVector& o) { return *this = *this + o; }
    ZoVector& operator-=(const ZoVector& o) { return *this = *this - o; }
    ZoVector& operator*=(float s) { return *this = *this * s; }
    bool operator==(const ZoVector& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const ZoVector& o) const { return !(*this == o); }

    // Division by zero is refused: the vector comes back unchanged rather than turning into infinities.
    ZoVector operator/(float s) const;
    ZoVector& operator/=(float s) { return *this = *this / s; }

    float Dot(const ZoVector& o) const { return x * o.x + y * o.y + z * o.z; }
    float Length() const { return std::sqrt(Dot(*this)); }
    float LengthSquared() const { return Dot(*this); }
    // Leaves a vector of length 1e-8 or less as it is.
    ZoVector& Normalize();
    ZoVector Normalized() const { return ZoVector(*this).Normalize(); }
};

inline ZoVector operator*(float s, const ZoVector& v) { return v * s; }
