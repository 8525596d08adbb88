/* Preloaded into the program (LD_PRELOAD) by dot3bump-bench, which times the program's own
 * start-up from outside with it. It notes, in milliseconds on the clock of std::chrono's
 * steady_clock (CLOCK_MONOTONIC, shared by all processes):
 *   main        main() entered
 *   context     the last OpenGL context made before loading: the shown window's
 *   loading     the loading screen swapped: the last swap before the first data file is opened
 *   frame       the first frame begun: the first glClear after a data file was opened
 *   firstFrame  that frame swapped and finished
 * writes them to the file named by DOT3BUMP_STARTUP_TIMES, one "name value" a line, and asks the
 * program to quit as a desktop would: SIGTERM, which SDL turns into a quit event. */
#define _GNU_SOURCE
#include "tools/next_function.h"

#include <GL/gl.h>
#include <SDL.h>

#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

typedef int (*MainFunction)(int, char**, char**);
int __libc_start_main(MainFunction main, int argc, char** argv, void (*init)(void),
                      void (*fini)(void), void (*finish)(void), void* stack);

static MainFunction programMain;
static double mainAt, contextAt, lastSwapAt, loadingAt, frameAt;
static int dataOpened, reported;

static double NowMs(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6;
}

/* The scene's files: the 3DS models and the bitmaps. Fonts and settings are opened earlier. */
static void NoteOpen(const char* path)
{
    const char* dot = path ? strrchr(path, '.') : NULL;
    if (dataOpened || !dot || (strcmp(dot, ".3ds") != 0 && strcmp(dot, ".bmp") != 0)) return;
    dataOpened = 1;
    loadingAt = lastSwapAt > 0 ? lastSwapAt : NowMs();
}

static void Report(double firstFrameAt)
{
    reported = 1;
    const char* path = getenv("DOT3BUMP_STARTUP_TIMES");
    FILE* file = path ? fopen(path, "w") : NULL;
    if (file) {
        fprintf(file, "main %.3f\ncontext %.3f\nloading %.3f\nframe %.3f\nfirstFrame %.3f\n",
                mainAt, contextAt, loadingAt, frameAt, firstFrameAt);
        fclose(file);
    }
    raise(SIGTERM);
}

static int NotingMain(int argc, char** argv, char** environment)
{
    mainAt = NowMs();
    return programMain(argc, argv, environment);
}

/* The C runtime's start calls it with main(): the one way to see main() entered from outside. */
int __libc_start_main(MainFunction main, int argc, char** argv, void (*init)(void),
                      void (*fini)(void), void (*finish)(void), void* stack)
{
    NEXT(__libc_start_main);
    programMain = main;
    return next___libc_start_main(NotingMain, argc, argv, init, fini, finish, stack);
}

SDL_GLContext SDL_GL_CreateContext(SDL_Window* window)
{
    NEXT(SDL_GL_CreateContext);
    SDL_GLContext context = next_SDL_GL_CreateContext(window);
    if (!dataOpened) contextAt = NowMs();
    return context;
}

void SDL_GL_SwapWindow(SDL_Window* window)
{
    NEXT(SDL_GL_SwapWindow);
    next_SDL_GL_SwapWindow(window);
    if (reported) return;
    /* The first frame is on screen once the driver has finished it, as the swap need not wait. */
    if (frameAt > 0) {
        NEXT(glFinish);
        next_glFinish();
        Report(NowMs());
    } else {
        lastSwapAt = NowMs();
    }
}

void glClear(GLbitfield mask)
{
    NEXT(glClear);
    if (dataOpened && frameAt == 0) frameAt = NowMs();
    next_glClear(mask);
}

/* The scene's files: the program reads them, and opens them with open(). NOTE: on 64-bit glibc,
 * open64 (what code built with _FILE_OFFSET_BITS=64 calls) is the same function as open. */
int open(const char* path, int flags, ...)
{
    NEXT(open);
    NoteOpen(path);
    va_list rest;
    va_start(rest, flags);
    const int needsMode = (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE;
    const mode_t mode = needsMode ? va_arg(rest, mode_t) : 0;
    va_end(rest);
    return next_open(path, flags, mode);
}
int open64(const char* path, int flags, ...) __attribute__((alias("open")));
