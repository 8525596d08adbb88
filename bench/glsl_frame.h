// What a programmer would write today instead of texture combiners: the same picture drawn by a
// GLSL per-pixel normal-mapping shader, from the same meshes, textures, light and tangent basis
// (as vertex attributes). Kept in the benchmark only, as the yardstick of the fixed-function
// frame.
#pragma once

// Compiles the shaders and uploads each model's basis. False, with the reason on stderr, when
// the driver cannot.
bool PrepareGlslFrame();

// One frame of the current scene through RenderFrame (spin, camera, models, overlay, swap,
// timing), the models drawn by the shader; finished (glFinish) so that it is timed whole.
void GlslFrame();

// Deletes what PrepareGlslFrame made for the current scene's models.
void ReleaseGlslFrame();
