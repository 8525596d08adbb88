#include "app/fullscreen_window.h"

#include "app/window_proc.h"
#include "gfx/multisample_format.h"
#include "state/display_settings.h"

const char* const kWindowClassName = "OpenGL Brisvelle";

WindowHandle CreatePopupWindow(InstanceHandle instance)
{
    // Read the screen size now, after the mode change, so the window covers the new mode.
    appWindow.window = PlatformCreatePopupWindow(instance, kWindowClassName, kWindowClassName,
                                                 PlatformScreenWidth(), PlatformScreenHeight());
    return appWindow.window;
}

PixelFormatRequest PlainPixelFormat(int32_t bitsPerPixel)
{
    const auto bits = static_cast<uint8_t>(bitsPerPixel & 0xFF);
    PixelFormatRequest request;
    request.colorBits = bits;
    request.redBits = bits >> 2;
    request.redShift = bits >> 1;
    request.greenBits = bits >> 2;
    request.greenShift = bits >> 2;
    request.blueBits = bits >> 2;
    request.blueShift = 0;
    request.depthBits = 16;
    return request;
}

namespace {

// Pixel format, rendering context, current: the steps both windows go through.
bool AttachRenderContext(int format, const PixelFormatRequest& request)
{
    if (!PlatformSetPixelFormat(appWindow.deviceContext, format, &request)) return false;
    appWindow.renderContext = PlatformCreateContext(appWindow.deviceContext);
    if (!appWindow.renderContext) return false;
    return PlatformMakeCurrent(appWindow.deviceContext, appWindow.renderContext);
}

}  // namespace

bool CreateFullscreenWindow(InstanceHandle instance, int showCommand)
{
    DisplayMode& mode = appWindow.fullscreenMode;
    mode = DisplayMode();
    mode.width = displaySettings.width;
    mode.height = displaySettings.height;
    mode.bitsPerPixel = displaySettings.bitsPerPixel;
    mode.frequency = displaySettings.frequency;
    if (!PlatformChangeDisplayMode(&mode, DisplayModeChange::Fullscreen)) return false;

    // A failed registration shows up as a failed window creation below.
    PlatformRegisterWindowClass(instance, kWindowClassName, WindowProc);
    if (!CreatePopupWindow(instance)) return false;
    appWindow.deviceContext = PlatformGetDC(appWindow.window);

    const PixelFormatRequest request = PlainPixelFormat(displaySettings.bitsPerPixel);
    const int format = PlatformChoosePixelFormat(appWindow.deviceContext, &request);
    if (!AttachRenderContext(format, request)) return false;

    // The multisample formats can only be asked for through a current context, so the first
    // window and context exist only to make that query; the shown window is the second one.
    const int multisampleFormat = ChooseMultisampleFormat();
    if (multisampleFormat > 0) {
        PlatformMakeCurrent(nullptr, nullptr);
        PlatformDeleteContext(appWindow.renderContext);
        PlatformDestroyWindow(appWindow.window);
        if (!CreatePopupWindow(instance)) return false;
        appWindow.deviceContext = PlatformGetDC(appWindow.window);
        if (!AttachRenderContext(multisampleFormat, request)) return false;
        ConfirmMultisampleFormat();
    }

    PlatformShowWindow(appWindow.window, showCommand);
    PlatformUpdateWindow(appWindow.window);
    PlatformSetFocus(appWindow.window);
    return true;
}
