// The scene: the normalization cube map, the cube and the sphere, and the camera.
#pragma once

#include "math/vec3d.h"

class Camera;
class Model;

extern Model* cubeModel;     // deleted by Shutdown
extern Model* sphereModel;   // deleted by Shutdown
extern Camera* sceneCamera;  // lives until the process ends

// The point light, in scene space.
extern const Vec3d lightPosition;

// Builds everything the frames draw, once, at start-up, and leaves GL_MODELVIEW selected. False,
// after one message box naming the file and what is wrong with it, when a data file is missing
// or unreadable or a mesh cannot be prepared.
bool BuildScene();
