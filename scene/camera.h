// The viewpoint every model is drawn from.
#pragma once

#include "math/matrix4f.h"
#include "math/vec3d.h"

class Camera {
public:
    // Copies the vectors and computes viewMatrix at once (needs a current context).
    Camera(Vec3d eye, Vec3d direction, Vec3d up);

    // Recomputes viewMatrix with gluLookAt; leaves the modelview matrix as it was.
    void Update();

    Vec3d eye;
    Vec3d direction;  // the look-at centre is eye + direction; its length does not matter
    Vec3d up;
    Matrix4f viewMatrix;
};
