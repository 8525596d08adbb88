// Matrices as OpenGL keeps them: sixteen floats, column-major, translation in 12, 13 and 14.
// They are composed on OpenGL's modelview stack and read back; the CPU only applies them.
#pragma once

#include "math/vec3d.h"

struct Matrix4f {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    float& operator[](int i) { return m[i]; }
    float operator[](int i) const { return m[i]; }
};

// m · (p, 1) in double precision.
Vec3d TransformPoint(const Matrix4f& m, const Vec3d& p);
