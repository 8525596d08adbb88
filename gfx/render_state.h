// The fixed OpenGL state every frame relies on, and the screen shown while the scene loads.
#pragma once

// Depth test (LEQUAL), back-face culling, colour material, multisampling and 2D texturing on,
// blending off; the viewport over the whole client area and the one perspective projection
// (45 degrees, near 0.01, far 1500). Leaves GL_MODELVIEW selected with an identity matrix.
void SetRenderState();

// White "Loading..." a little left of and below the centre on black, presented at once. Leaves
// depth test and 2D texturing on, an identity modelview matrix and white as the current colour.
void ShowLoadingScreen();
