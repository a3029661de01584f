#include "ZoVector.h"

#include <gtest/gtest.h>

TEST(ZoVector, NormalizeGivesUnitLengthAndLeavesTinyVectorsAlone) {
    ZoVector v(3.0f, 4.0f, 0.0f);
    v.Normalize();
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);
    EXPECT_FLOAT_EQ(v.Length(), 1.0f);

    ZoVector tiny(1e-9f, 0.0f, 0.0f);
    tiny.Normalize();
    EXPECT_EQ(tiny, ZoVector(1e-9f, 0.0f, 0.0f));
    ZoVector zero;
    EXPECT_EQ(zero.Normalized(), ZoVector());
}

TEST(ZoVector, ArithmeticIsComponentWise) {
    const ZoVector a(1, 2, 3), b(4, -5, 6);
    EXPECT_EQ(a + b, ZoVector(5, -3, 9));
    EXPECT_EQ(a - b, ZoVector(-3, 7, -3));
    EXPECT_EQ(a * 2.0f, ZoVector(2, 4, 6));
    EXPECT_EQ(b / 2.0f, ZoVector(2, -2.5f, 3));
    EXPECT_FLOAT_EQ(a.Dot(b), 4 - 10 + 18);
}
