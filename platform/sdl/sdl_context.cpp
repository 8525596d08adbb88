#include "platform/sdl/sdl_internal.h"

#include <cstdio>
#include <vector>

namespace {

// What SDL needs to know of a pixel format before it makes the window: SDL, like GLX and EGL,
// fixes the visual when the window is created.
struct FormatAttributes {
    int red = 0, green = 0, blue = 0, alpha = 0;
    int depth = 0, stencil = 0;
    int doubleBuffer = 1;
    int sampleBuffers = 0, samples = 0;
};

// Format indices are positions in this table plus one; index 1 is always the plain format.
std::vector<FormatAttributes> formats(1);

PlatformWindow* WindowOf(DeviceContextHandle dc) { return reinterpret_cast<PlatformWindow*>(dc); }

void SetAttributes(const FormatAttributes& format)
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format.red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format.green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format.blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.alpha);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depth);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.stencil);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format.doubleBuffer);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, format.sampleBuffers);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, format.samples);
}

// WGL attribute names, as the program hands them to the chooser.
FormatAttributes FromWglAttributes(const int* attributes)
{
    FormatAttributes format;
    for (; attributes[0] != 0; attributes += 2) {
        const int value = attributes[1];
        switch (attributes[0]) {
        case 0x2011: format.doubleBuffer = value; break;                          // DOUBLE_BUFFER
        case 0x2014: format.red = format.green = format.blue = value / 3; break;  // COLOR_BITS
        case 0x201B: format.alpha = value; break;                                 // ALPHA_BITS
        case 0x2022: format.depth = value; break;                                 // DEPTH_BITS
        case 0x2023: format.stencil = value; break;                               // STENCIL_BITS
        case 0x2041: format.sampleBuffers = value; break;                         // SAMPLE_BUFFERS
        case 0x2042: format.samples = value; break;                               // SAMPLES
        default: break;  // window, OpenGL support and acceleration: every SDL window has them
        }
    }
    return format;
}

// There is no way to list visuals through SDL: a format exists when a hidden window can be made
// with it.
int ChooseByProbeWindow(DeviceContextHandle, const int* intAttributes, const float*,
                        unsigned maxFormats, int* found, unsigned* count)
{
    *count = 0;
    const FormatAttributes format = FromWglAttributes(intAttributes);
    SetAttributes(format);
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!probe) return 1;
    SDL_DestroyWindow(probe);
    if (maxFormats == 0) return 1;
    formats.push_back(format);
    *found = int(formats.size());
    *count = 1;
    return 1;
}

}  // namespace

// A window's device context is the window itself: SDL has no separate drawing surface object.
DeviceContextHandle PlatformGetDC(WindowHandle window)
{
    return reinterpret_cast<DeviceContextHandle>(window);
}

int PlatformChoosePixelFormat(DeviceContextHandle, const PixelFormatRequest* request)
{
    FormatAttributes& plain = formats[0];
    plain = FormatAttributes();
    plain.red = request->redBits;
    plain.green = request->greenBits;
    plain.blue = request->blueBits;
    plain.depth = request->depthBits;
    return 1;
}

PixelFormatChooser PlatformGetPixelFormatChooser() { return ChooseByProbeWindow; }

bool PlatformSetPixelFormat(DeviceContextHandle dc, int format, const PixelFormatRequest*)
{
    PlatformWindow* window = WindowOf(dc);
    if (!window || window->sdl || format < 1 || size_t(format) > formats.size()) return false;
    SetAttributes(formats[size_t(format) - 1]);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (SdlFullscreenMode()) flags |= SDL_WINDOW_FULLSCREEN;
    window->sdl =
        SDL_CreateWindow(window->title.c_str(), 0, 0, window->width, window->height, flags);
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
