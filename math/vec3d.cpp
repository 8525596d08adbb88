#include "math/vec3d.h"

#include <cmath>

void NormalizeVec3(Vec3d& v)
{
    // The threshold is the single-precision 1e-6 (9.99999997e-7), compared in double.
    constexpr double minimumLength = static_cast<double>(1e-6f);
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length < minimumLength) {
        v = {1.0, 0.0, 0.0};
        return;
    }
    const double scale = 1.0 / length;
    v.x *= scale;
    v.y *= scale;
    v.z *= scale;
}
