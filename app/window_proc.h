// The program's window procedure and its teardown.
#pragma once

#include "platform/platform.h"

// Handles the close request, application activation, the cursor and keys 1 to 6; every other
// message goes to the platform's default handling.
intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Releases the models, restores the desktop mode, shows the cursor, deletes the rendering
// context, destroys the window and unregisters its class. Runs once, on the close request.
void Shutdown();
