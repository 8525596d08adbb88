/* Loaded first into every process of the sanitizer build's tests (LD_PRELOAD), with
 * keep_modules_loaded.c: what LeakSanitizer must not count as a leak, named by the calls that
 * make it, so that everything else a library allocates for the program is still checked.
 *
 * Memory the system's libraries keep for the life of the process, allocated inside:
 * - SDL_InitSubSystem: SDL's D-Bus connection (for the screensaver and input methods), which
 *   SDL_Quit leaves open for other users of it;
 * - SDL_CreateWindow and SDL_GL_CreateContext: Mesa's screen and winsys state (about 1 MB),
 *   made when the first OpenGL window or context needs them and not freed with the last context;
 * - FcInit: the configuration fontconfig loads, kept until FcFini, which the program leaves
 *   alone since other libraries of the process may still use fontconfig.
 * A font pattern the program forgets, or a texture of a context it deletes, is allocated
 * outside these calls and is reported.
 *
 * On its early exits the program leaves its window and context to the end of the process on
 * purpose. LeakSanitizer reports what a context still alive at the check holds (the font's
 * display lists among them: the driver keeps its own references where the check does not see
 * them), so SDL_Quit here first deletes a context still current, as the end of the process
 * would.
 *
 * In processes without the sanitizers' runtime (the shell, Xvfb, ImageMagick) the calls pass
 * straight through. */
#define _GNU_SOURCE
#include "tools/next_function.h"

#include <SDL.h>
#include <fontconfig/fontconfig.h>

void __lsan_disable(void) __attribute__((weak));
void __lsan_enable(void) __attribute__((weak));

static void IgnoreFromHere(void)
{
    if (__lsan_disable) __lsan_disable();
}

static void IgnoreNoMore(void)
{
    if (__lsan_enable) __lsan_enable();
}

int SDL_InitSubSystem(Uint32 flags)
{
    NEXT(SDL_InitSubSystem);
    IgnoreFromHere();
    const int result = next_SDL_InitSubSystem(flags);
    IgnoreNoMore();
    return result;
}

SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int w, int h, Uint32 flags)
{
    NEXT(SDL_CreateWindow);
    IgnoreFromHere();
    SDL_Window* window = next_SDL_CreateWindow(title, x, y, w, h, flags);
    IgnoreNoMore();
    return window;
}

SDL_GLContext SDL_GL_CreateContext(SDL_Window* window)
{
    NEXT(SDL_GL_CreateContext);
    IgnoreFromHere();
    SDL_GLContext context = next_SDL_GL_CreateContext(window);
    IgnoreNoMore();
    return context;
}

FcBool FcInit(void)
{
    NEXT(FcInit);
    IgnoreFromHere();
    const FcBool result = next_FcInit();
    IgnoreNoMore();
    return result;
}

void SDL_Quit(void)
{
    NEXT(SDL_GL_GetCurrentContext);
    NEXT(SDL_GL_DeleteContext);
    NEXT(SDL_Quit);
    SDL_GLContext context = next_SDL_GL_GetCurrentContext();
    if (context) next_SDL_GL_DeleteContext(context);
    next_SDL_Quit();
}
