#include "gfx/multisample_format.h"

// Still to come: the search through the window system's multisample formats. Until then the
// program always runs on its plain pixel format.
int ChooseMultisampleFormat() { return -1; }
