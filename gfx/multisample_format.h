// The antialiased pixel format, when the driver offers one.
#pragma once

// The index of an accelerated, double-buffered pixel format with 4 samples per pixel (else 2)
// for appWindow.deviceContext, or -1 when there is none; records the outcome in
// capabilityFlags. Needs the first, plain rendering context current.
int ChooseMultisampleFormat();

// After the window was re-created on that format: keeps the recorded sample count only if the
// new context really has it.
void ConfirmMultisampleFormat();
