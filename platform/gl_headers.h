// The system's OpenGL, GLU and extension headers, without <windows.h>.
#pragma once

// NOTE: the Windows GL headers need three of windows.h's macros and pull in all of windows.h
// when they are missing. As portable GL code does, they are defined here instead. APIENTRY, the
// calling convention of GL entry points, stays defined, as glext.h leaves it on every other
// system; the two others are taken away again, so that no file outside platform/win32/ sees a
// Windows macro.
#if defined(_WIN32) && !defined(APIENTRY)
#define APIENTRY __stdcall
#endif
#if defined(_WIN32) && !defined(WINGDIAPI)
#define WINGDIAPI __declspec(dllimport)
#define DOT3BUMP_WINGDIAPI_DEFINED
#endif
#if defined(_WIN32) && !defined(CALLBACK)
#define CALLBACK __stdcall
#define DOT3BUMP_CALLBACK_DEFINED
#endif

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#ifdef DOT3BUMP_WINGDIAPI_DEFINED
#undef WINGDIAPI
#undef DOT3BUMP_WINGDIAPI_DEFINED
#endif
#ifdef DOT3BUMP_CALLBACK_DEFINED
#undef CALLBACK
#undef DOT3BUMP_CALLBACK_DEFINED
#endif
