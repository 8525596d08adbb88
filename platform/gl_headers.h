// The system's OpenGL, GLU and extension headers.
#pragma once

// First, so that its Win32-valued constants are declared before windows.h makes them macros.
#include "platform/platform.h"

#ifdef _WIN32
// NOTE: the Windows GL headers need the calling-convention macros of windows.h.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
