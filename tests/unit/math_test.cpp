#include "math/matrix4f.h"
#include "math/vec3d.h"

#include <gtest/gtest.h>

TEST(NormalizeVec3, ScalesToUnitLength)
{
    Vec3d v{3, 0, -4};
    NormalizeVec3(v);
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_DOUBLE_EQ(v.y, 0.0);
    EXPECT_DOUBLE_EQ(v.z, -0.8);
}

TEST(NormalizeVec3, ThresholdIsTheSinglePrecisionMillionth)
{
    // 1e-6 in double lies above the float threshold (9.99999997e-7): it is long enough.
    Vec3d atDouble{0, 1e-6, 0};
    NormalizeVec3(atDouble);
    EXPECT_DOUBLE_EQ(atDouble.y, 1.0);

    Vec3d belowFloat{0, 9.9999999e-7, 0};
    NormalizeVec3(belowFloat);
    EXPECT_EQ(belowFloat.x, 1.0);
    EXPECT_EQ(belowFloat.y, 0.0);

    Vec3d zero;
    NormalizeVec3(zero);
    EXPECT_EQ(zero.x, 1.0);
    EXPECT_EQ(zero.y, 0.0);
    EXPECT_EQ(zero.z, 0.0);
}

TEST(TransformPoint, AppliesColumnMajorMatrixWithTranslation)
{
    Matrix4f m;
    // A quarter turn about Z (x -> y) and a translation of (10, 20, 30).
    const float values[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 10, 20, 30, 1};
    std::copy(values, values + 16, m.m);
    const Vec3d p = TransformPoint(m, {1, 2, 3});
    EXPECT_DOUBLE_EQ(p.x, 10 - 2);
    EXPECT_DOUBLE_EQ(p.y, 20 + 1);
    EXPECT_DOUBLE_EQ(p.z, 30 + 3);
}

TEST(TransformPoint, WorksInDoublePrecision)
{
    Matrix4f m;
    m[0] = 0.1f;  // not exactly representable: the product must widen it, not round it again
    const Vec3d p = TransformPoint(m, {1e8, 0, 0});
    EXPECT_EQ(p.x, double(0.1f) * 1e8);
}
