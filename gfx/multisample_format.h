// The antialiased pixel format, when the driver offers one.
#pragma once

#include <cstdint>

// The index of an accelerated, double-buffered pixel format with 4 samples per pixel (else 2)
// for appWindow.deviceContext, or -1 when there is none; records the outcome in
// capabilityFlags. Needs the first, plain rendering context current.
int ChooseMultisampleFormat();

// After the window was re-created on that format: keeps the multisample flag only if the new
// context has at least the samples asked for, and records the count it has.
void ConfirmMultisampleFormat();

// The same for a context with `sampleBuffers` sample buffers of `samples` samples each.
void ConfirmMultisampleFormat(int32_t sampleBuffers, int32_t samples);
