// Making the fullscreen window and its rendering context, recorded in appWindow.
#pragma once

#include "platform/platform.h"
#include "state/app_window.h"

extern const char* const kWindowClassName;  // "OpenGL Brisvelle", also the window title

// Switches the display mode, opens the popup window with a double-buffered RGBA, 16-bit depth
// pixel format (a multisample one when the driver offers it) and makes a rendering context
// current on it, then shows and focuses it. False when the mode, the window, the pixel format or
// the context cannot be had; nothing made so far is undone then.
bool CreateFullscreenWindow(InstanceHandle instance, int showCommand);

// A hidden popup of the program's class covering the screen as it is now; stored in
// appWindow.window. Null on failure.
WindowHandle CreatePopupWindow(InstanceHandle instance);

// What the plain (not multisample) pixel format asks for at a colour depth: `bitsPerPixel`'s
// low byte split evenly between red, green and blue, with a 16-bit depth buffer.
PixelFormatRequest PlainPixelFormat(int32_t bitsPerPixel);
