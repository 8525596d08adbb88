/* Preloaded into the program (LD_PRELOAD) by the end-to-end test of older drivers
 * (tests/e2e/capability_sets.sh): the driver reports fewer capabilities than it has, and the
 * program ends on any use of one it hides. Hiding alone would prove little, since the driver
 * underneath still carries out what it no longer reports: a draw that wrongly used a third
 * texture unit or a cube map would still look right.
 *
 * DOT3BUMP_CAPABILITIES holds settings separated by spaces:
 *   hide=NAME,NAME...  extensions left out of the GL and GLX extension strings
 *   units=N            texture units reported by GL_MAX_TEXTURE_UNITS (at most the driver's)
 *   samples=N          the most samples per pixel a window's format has (0: no multisample)
 * for example "units=2 hide=GL_ARB_texture_cube_map,GL_EXT_texture_cube_map samples=0".
 *
 * A use ends the program with one line on standard error naming the call, and exit code 97:
 * a texture unit past the count (selected, or given to glMultiTexCoord), a cube map (as a
 * target, a capability, a query or a coordinate generation mode; disabling one included, which a
 * driver without cube maps refuses as well), or the combine or Dot3 texture environment, in any
 * of the calls texture_calls.c lists, linked or fetched by name. */
#include "capability_set.h"

#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

enum { kMisuseExit = 97, kMostHidden = 64 };

static struct {
    bool read;
    char text[4096];  // the variable's value, cut into the names below
    const char* hidden[kMostHidden];
    int hiddenCount;
    int units;  // -1 where not given
    int samples;
} set;

_Noreturn void Misuse(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    fputs("dot3bump capabilities: ", stderr);
    vfprintf(stderr, format, arguments);
    fputc('\n', stderr);
    va_end(arguments);
    _exit(kMisuseExit);
}

static int Count(const char* setting, const char* digits, int least)
{
    char* end = NULL;
    const long value = strtol(digits, &end, 10);
    if (end == digits || *end != '\0' || value < least || value > INT_MAX)
        Misuse("DOT3BUMP_CAPABILITIES: %s needs a whole number from %d", setting, least);
    return (int)value;
}

static void Hide(char* names)
{
    char* rest = NULL;
    for (char* name = strtok_r(names, ",", &rest); name; name = strtok_r(NULL, ",", &rest)) {
        if (set.hiddenCount == kMostHidden)
            Misuse("DOT3BUMP_CAPABILITIES: more than %d names to hide", kMostHidden);
        set.hidden[set.hiddenCount++] = name;
    }
}

static void Read(void)
{
    if (set.read) return;
    set.read = true;
    set.units = set.samples = -1;
    const char* value = getenv("DOT3BUMP_CAPABILITIES");
    if (!value) Misuse("DOT3BUMP_CAPABILITIES is not set: nothing to hide");
    if (strlen(value) >= sizeof set.text) Misuse("DOT3BUMP_CAPABILITIES is too long");
    strcpy(set.text, value);
    char* rest = NULL;
    for (char* item = strtok_r(set.text, " ", &rest); item; item = strtok_r(NULL, " ", &rest)) {
        if (strncmp(item, "hide=", 5) == 0)
            Hide(item + 5);
        else if (strncmp(item, "units=", 6) == 0)
            set.units = Count("units", item + 6, 1);
        else if (strncmp(item, "samples=", 8) == 0)
            set.samples = Count("samples", item + 8, 0);
        else
            Misuse("DOT3BUMP_CAPABILITIES: unknown setting \"%s\"", item);
    }
}

bool ExtensionHidden(const char* name, size_t length)
{
    Read();
    for (int i = 0; i < set.hiddenCount; ++i) {
        if (strlen(set.hidden[i]) == length && memcmp(set.hidden[i], name, length) == 0)
            return true;
    }
    return false;
}

static bool Hidden(const char* name) { return ExtensionHidden(name, strlen(name)); }

bool CubeMapsHidden(void) { return Hidden("GL_ARB_texture_cube_map"); }
bool CombineHidden(void) { return Hidden("GL_ARB_texture_env_combine"); }
bool Dot3Hidden(void) { return Hidden("GL_ARB_texture_env_dot3"); }

int TextureUnitLimit(void)
{
    Read();
    if (set.units >= 0) return set.units;
    return Hidden("GL_ARB_multitexture") ? 1 : INT_MAX;
}

int SampleLimit(void)
{
    Read();
    return set.samples >= 0 ? set.samples : INT_MAX;
}
