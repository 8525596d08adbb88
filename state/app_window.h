// The fullscreen window, its device and rendering contexts, and the display mode it runs in.
// Filled by the window's creation at start-up; read by the graphics start-up, the frames, the
// window procedure and the teardown.
#pragma once

#include "platform/platform.h"

struct AppWindow {
    InstanceHandle instance = nullptr;
    WindowHandle window = nullptr;                // null after Shutdown
    DeviceContextHandle deviceContext = nullptr;  // the window's own; never released
    RenderContextHandle renderContext = nullptr;  // null after Shutdown
    DisplayMode fullscreenMode;                   // applied at start-up and on re-activation
};

extern AppWindow appWindow;
