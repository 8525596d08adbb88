#include "gfx/graphics_init.h"

// Still to come: extension detection, entry points, render state, font and loading screen.
bool InitGraphics() { return true; }
