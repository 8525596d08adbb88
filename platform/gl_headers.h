// The system's OpenGL, GLU and extension headers.
#pragma once

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
#include <GL/glu.h>
#include <GL/glext.h>
