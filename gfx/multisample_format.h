// The antialiased pixel format, when the driver offers one.
#pragma once

// The index of a double-buffered 4-sample (else 2-sample) pixel format for the current device
// context, or -1 when there is none. Needs the first, plain rendering context current.
int ChooseMultisampleFormat();
