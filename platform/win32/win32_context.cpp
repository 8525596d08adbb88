// Rendering context: GetDC, ChoosePixelFormat and SetPixelFormat with the descriptor of the
// fullscreen-window Part, wglCreateContext, wglMakeCurrent, wglDeleteContext, SwapBuffers.
#include "platform/win32/win32_platform.h"

#include <cstring>

static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "nSize must be the descriptor's size, 40");

namespace {

// Cleared to zero and filled from the request; every member the table leaves out stays 0.
PIXELFORMATDESCRIPTOR ToDescriptor(const PixelFormatRequest* request)
{
    PIXELFORMATDESCRIPTOR descriptor;
    std::memset(&descriptor, 0, sizeof descriptor);
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags =
        PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_STEREO_DONTCARE;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = request->colorBits;
    descriptor.cRedBits = request->redBits;
    descriptor.cRedShift = request->redShift;
    descriptor.cGreenBits = request->greenBits;
    descriptor.cGreenShift = request->greenShift;
    descriptor.cBlueBits = request->blueBits;
    descriptor.cBlueShift = request->blueShift;
    descriptor.cDepthBits = request->depthBits;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

}  // namespace

DeviceContextHandle PlatformGetDC(WindowHandle window) { return ToHandle(GetDC(ToWin32(window))); }

int PlatformChoosePixelFormat(DeviceContextHandle dc, const PixelFormatRequest* request)
{
    PIXELFORMATDESCRIPTOR descriptor = ToDescriptor(request);
    return ChoosePixelFormat(ToWin32(dc), &descriptor);
}

bool PlatformSetPixelFormat(DeviceContextHandle dc, int format, const PixelFormatRequest* request)
{
    PIXELFORMATDESCRIPTOR descriptor = ToDescriptor(request);
    return SetPixelFormat(ToWin32(dc), format, &descriptor) != FALSE;
}

RenderContextHandle PlatformCreateContext(DeviceContextHandle dc)
{
    return ToHandle(wglCreateContext(ToWin32(dc)));
}

bool PlatformMakeCurrent(DeviceContextHandle dc, RenderContextHandle context)
{
    return wglMakeCurrent(ToWin32(dc), ToWin32(context)) != FALSE;
}

void PlatformDeleteContext(RenderContextHandle context) { wglDeleteContext(ToWin32(context)); }

void PlatformSwapBuffers(DeviceContextHandle dc) { SwapBuffers(ToWin32(dc)); }
