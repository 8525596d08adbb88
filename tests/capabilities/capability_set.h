/* The capability set this library makes the driver report, read from DOT3BUMP_CAPABILITIES
 * (see capability_set.c), and the way it ends the program on a use of what it hides. */
#pragma once

#include <stdbool.h>
#include <stddef.h>

#include "tools/next_function.h"

/* Whether the extension NAME (LENGTH characters, not terminated) is left out of the strings. */
bool ExtensionHidden(const char* name, size_t length);

/* Uses are policed by the names the program tests, the ARB ones. */
bool CubeMapsHidden(void);
bool CombineHidden(void);
bool Dot3Hidden(void);

/* The texture units the driver reports: units=, else 1 with GL_ARB_multitexture hidden, else
 * as many as the driver has. */
int TextureUnitLimit(void);

/* The most samples per pixel a window's format may have: samples=, else as many as asked. */
int SampleLimit(void);

/* Ends the program when the query NAME of CALL asks about a hidden cube map (texture_calls.c). */
void CheckQuery(const char* call, unsigned name);

/* One line on standard error, then exit code 97, without the program's own exit handlers. */
_Noreturn void Misuse(const char* format, ...) __attribute__((format(printf, 1, 2)));
