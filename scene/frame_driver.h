// Drawing frames: the spin, the models, the overlay and the timing of each frame.
#pragma once

#include "scene/frame_timer.h"

class Model;
struct RotationStep;

// This frame's turns from the previous frame's duration, in degrees: the cube about Y and Z,
// the sphere about X and Y. The other component of each is left as it is.
void SetRotationSteps(float elapsedSeconds, RotationStep& cube, RotationStep& sphere);

// Draws, presents and times one frame. Both models turn whether they are shown or not.
void RenderFrame();

// The same, each visible model drawn by `drawModel` instead of its Draw. A seam for the
// benchmark alone: it times its other draws of the models (the light array kept, a shader
// renderer) inside this very frame (spin, camera, overlay, swap and timing) rather than inside a
// copy of it that could drift from the frame the program draws.
using DrawModelFunction = void (*)(Model& model);
void RenderFrame(DrawModelFunction drawModel);
