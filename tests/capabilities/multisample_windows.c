/* No window format with more samples per pixel than the set allows. SDL fixes a window's
 * format when it makes the window, from the attributes set before; a driver without such a
 * format makes SDL refuse the window, as here. */
#include "capability_set.h"

#include <SDL.h>

static int sampleBuffers, samples;  // as last set, 0 after a reset as in SDL

int SDL_GL_SetAttribute(SDL_GLattr attribute, int value)
{
    NEXT(SDL_GL_SetAttribute);
    if (attribute == SDL_GL_MULTISAMPLEBUFFERS) sampleBuffers = value;
    if (attribute == SDL_GL_MULTISAMPLESAMPLES) samples = value;
    return next_SDL_GL_SetAttribute(attribute, value);
}

void SDL_GL_ResetAttributes(void)
{
    NEXT(SDL_GL_ResetAttributes);
    sampleBuffers = samples = 0;
    next_SDL_GL_ResetAttributes();
}

SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int width, int height, Uint32 flags)
{
    NEXT(SDL_CreateWindow);
    const int asked = samples > 1 ? samples : 1;  // sample buffers with no count: any count
    if ((flags & SDL_WINDOW_OPENGL) && sampleBuffers > 0 && asked > SampleLimit()) {
        SDL_SetError("no OpenGL format with %d samples per pixel", asked);
        return NULL;
    }
    return next_SDL_CreateWindow(title, x, y, width, height, flags);
}
