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
#include <dlfcn.h>

void __lsan_disable(void) __attribute__((weak));
void __lsan_enable(void) __attribute__((weak));

static void* Next(const char* name) { return dlsym(RTLD_NEXT, name); }

static void IgnoreFromHere(void)
{
    if (__lsan_disable) __lsan_disable();
}

static void IgnoreNoMore(void)
{
    if (__lsan_enable) __lsan_enable();
}

int SDL_InitSubSystem(unsigned flags)
{
    static int (*next)(unsigned);
    if (!next) next = (int (*)(unsigned))Next("SDL_InitSubSystem");
    IgnoreFromHere();
    const int result = next(flags);
    IgnoreNoMore();
    return result;
}

void* SDL_CreateWindow(const char* title, int x, int y, int w, int h, unsigned flags)
{
    static void* (*next)(const char*, int, int, int, int, unsigned);
    if (!next) next = (void* (*)(const char*, int, int, int, int, unsigned))Next("SDL_CreateWindow");
    IgnoreFromHere();
    void* window = next(title, x, y, w, h, flags);
    IgnoreNoMore();
    return window;
}

void* SDL_GL_CreateContext(void* window)
{
    static void* (*next)(void*);
    if (!next) next = (void* (*)(void*))Next("SDL_GL_CreateContext");
    IgnoreFromHere();
    void* context = next(window);
    IgnoreNoMore();
    return context;
}

int FcInit(void)
{
    static int (*next)(void);
    if (!next) next = (int (*)(void))Next("FcInit");
    IgnoreFromHere();
    const int result = next();
    IgnoreNoMore();
    return result;
}

void SDL_Quit(void)
{
    static void* (*current)(void);
    static void (*deleteContext)(void*);
    static void (*next)(void);
    if (!next) {
        current = (void* (*)(void))Next("SDL_GL_GetCurrentContext");
        deleteContext = (void (*)(void*))Next("SDL_GL_DeleteContext");
        next = (void (*)(void))Next("SDL_Quit");
    }
    void* context = current();
    if (context) deleteContext(context);
    next();
}
