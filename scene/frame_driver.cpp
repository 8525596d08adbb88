#include "scene/frame_driver.h"

#include "app/app_window.h"
#include "gfx/gl.h"

// Still to come: the high-resolution and millisecond clocks.
void StartFrameTimer() {}

// Still to come: spinning and drawing the models, the overlay and the frame timing.
void RenderFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PlatformSwapBuffers(appWindow.deviceContext);
}
