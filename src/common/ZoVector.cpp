#include "ZoVector.h"

#include <cassert>

ZoVector ZoVector::operator/(float s) const {
    assert(s != 0.0f && "ZoVector division by zero");
    if (s == 0.0f)
        return *this;
    return {x / s, y / s, z / s};
}

ZoVector& ZoVector::Normalize() {
    const float length = Length();
    if (length > 1e-8f) {
        x /= length;
        y /= length;
        z /= length;
    }
    return *this;
}
