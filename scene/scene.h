// The scene: the normalization cube map, the cube and the sphere, and the camera.
#pragma once

// Builds everything the frames draw, once, at start-up. False when the scene cannot be built.
bool BuildScene();
