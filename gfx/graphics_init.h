// Graphics start-up: extensions, entry points, the fixed render state, the font and the
// "Loading..." screen.
#pragma once

// False when the driver lacks vertex buffer objects (after telling the user so).
bool InitGraphics();
