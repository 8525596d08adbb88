// The program's own scene in an offscreen 800x600 context, built from a run folder the benchmark
// writes, and the frames it times.
#pragma once

#include <filesystem>
#include <string>

// Makes the window and its 4x multisample context with the program's own start-up (SDL's
// offscreen driver) and its graphics start-up. False, with SDL's reason on stderr, when there
// is none.
bool OpenBenchContext();

// A run folder with the program's four data files; with a UV sphere of `bands` bands (see
// MakeUvSphereMesh) as sphere.3ds unless `bands` is 0. Empty, with the reason on stderr, on
// failure.
std::filesystem::path WriteRunFolder(const std::filesystem::path& root, int bands);

// The scene built by the program's BuildScene from `folder`, replacing any built before, with
// both models' spin back at the start. False when it cannot be built.
bool BuildBenchScene(const std::filesystem::path& folder);

// One frame as RenderFrame draws it, finished (glFinish) so that it is timed whole.
void ShippedFrame();

// The same frame with the same OpenGL calls, but with each model's light array computed once,
// at the first call, and kept: the ideal the shipped frame is measured against.
void KeptLightFrame();

// The frame buffer as RGBA bytes, bottom row first.
std::string ReadFrame();
