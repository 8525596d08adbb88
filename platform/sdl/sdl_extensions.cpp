// Extension access: SDL's procedure lookup, and the extension string of whichever window-system
// binding SDL made the context with (GLX on X11, EGL under Wayland and the offscreen driver).
#include "platform/sdl/sdl_internal.h"

#include <EGL/egl.h>
#include <GL/glx.h>

void* PlatformGetProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

const char* PlatformGetWindowSystemExtensions()
{
    if (Display* display = glXGetCurrentDisplay())
        return glXQueryExtensionsString(display, DefaultScreen(display));
    const EGLDisplay display = eglGetCurrentDisplay();
    if (display != EGL_NO_DISPLAY) return eglQueryString(display, EGL_EXTENSIONS);
    return nullptr;
}

const char* PlatformMultisampleExtensionName()
{
    // NOTE: EGL has multisample configs in its core, so no EGL extension stands for them.
    return glXGetCurrentDisplay() ? "GLX_ARB_multisample" : nullptr;
}
