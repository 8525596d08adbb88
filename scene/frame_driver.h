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

// The same, each visible model drawn by `drawModel` instead of its Draw: the benchmark's way to
// time other draws inside the very same frame.
using DrawModelFunction = void (*)(Model& model);
void RenderFrame(DrawModelFunction drawModel);
