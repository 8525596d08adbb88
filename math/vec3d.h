// Positions, directions and per-vertex geometry on the CPU, all in double precision.
#pragma once

struct Vec3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// Scales `v` to unit length in place; a vector shorter than 1e-6 becomes (1, 0, 0).
void NormalizeVec3(Vec3d& v);
