#include "platform/sdl/sdl_internal.h"

#include <cstdio>

namespace {

// Format indices the backend hands out; 1 is the plain format of the request.
constexpr int kPlainFormat = 1;

PlatformWindow* WindowOf(DeviceContextHandle dc) { return reinterpret_cast<PlatformWindow*>(dc); }

}  // namespace

// A window's device context is the window itself: SDL has no separate drawing surface object.
DeviceContextHandle PlatformGetDC(WindowHandle window)
{
    return reinterpret_cast<DeviceContextHandle>(window);
}

int PlatformChoosePixelFormat(DeviceContextHandle, const PixelFormatRequest*)
{
    return kPlainFormat;
}

bool PlatformSetPixelFormat(DeviceContextHandle dc, int format, const PixelFormatRequest* request)
{
    PlatformWindow* window = WindowOf(dc);
    if (!window || window->sdl || format != kPlainFormat) return false;
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, request->redBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, request->greenBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, request->blueBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, request->depthBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (SdlFullscreenMode()) flags |= SDL_WINDOW_FULLSCREEN;
    window->sdl = SDL_CreateWindow(window->title.c_str(), 0, 0, window->width, window->height,
                                   flags);
    if (!window->sdl) {
        std::fprintf(stderr, "dot3bump: no OpenGL window: %s\n", SDL_GetError());
        return false;
    }
    if (const SDL_DisplayMode* mode = SdlFullscreenMode())
        SDL_SetWindowDisplayMode(window->sdl, mode);
    return true;
}

RenderContextHandle PlatformCreateContext(DeviceContextHandle dc)
{
    PlatformWindow* window = WindowOf(dc);
    if (!window || !window->sdl) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(window->sdl);
    if (!context) std::fprintf(stderr, "dot3bump: no OpenGL context: %s\n", SDL_GetError());
    return static_cast<RenderContextHandle>(context);
}

bool PlatformMakeCurrent(DeviceContextHandle dc, RenderContextHandle context)
{
    PlatformWindow* window = WindowOf(dc);
    return SDL_GL_MakeCurrent(window ? window->sdl : nullptr, context) == 0;
}

void PlatformDeleteContext(RenderContextHandle context)
{
    if (context) SDL_GL_DeleteContext(context);
}

void PlatformSwapBuffers(DeviceContextHandle dc)
{
    PlatformWindow* window = WindowOf(dc);
    if (window && window->sdl) SDL_GL_SwapWindow(window->sdl);
}

void* PlatformGetProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }
