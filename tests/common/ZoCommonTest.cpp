// The shared random generator and vector rules that saved games and replays depend on.
#include "ZoRandom.h"
#include "ZoVector.h"

#include <gtest/gtest.h>

// The classic runtime sequence: the same seed must give the same boards everywhere.
TEST(ZoRandom, ReproducesTheRuntimeSequence) {
    ZoRandom r;
    r.Seed(1);
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358})
        EXPECT_EQ(r.Next(), expected);
}

TEST(ZoVector, NormalizeLeavesTinyVectorsAlone) {
    ZoVector v(3.0f, 4.0f, 0.0f);
    EXPECT_FLOAT_EQ(v.Normalized().Length(), 1.0f);
    ZoVector tiny(1e-9f, 0.0f, 0.0f);
    tiny.Normalize();
    EXPECT_EQ(tiny, ZoVector(1e-9f, 0.0f, 0.0f));
}
