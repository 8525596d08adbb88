#include "scene/scene.h"

// Still to come: the cube map, the two models with their files, and the camera.
bool BuildScene() { return true; }
