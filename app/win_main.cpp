// The program's entry, declared in platform.h: the Linux main() and the Windows C runtime both
// come here.
#include "platform/platform.h"

#include "app/display_settings.h"
#include "app/fullscreen_window.h"
#include "gfx/graphics_init.h"
#include "scene/frame_driver.h"
#include "scene/scene.h"
#include "state/app_state.h"

namespace {

// Polls without ever waiting: every pending message is dispatched before the next frame, and
// Escape is read from the key state after each frame rather than taken as a key message, so it
// closes the program through the same request as closing the window.
void RunMessageLoop()
{
    PlatformMessage msg;
    while (appState.running) {
        if (PlatformPeekMessage(&msg)) {
            PlatformTranslateMessage(&msg);
            PlatformDispatchMessage(&msg);
        } else if (appState.active) {
            // A context the driver would not bind again draws nothing until a later activation
            // binds it; Escape still closes the program meanwhile.
            if (appState.contextCurrent) RenderFrame();
            if (PlatformGetKeyState(VK_ESCAPE) & 0x80)
                PlatformPostMessage(appWindow.window, WM_CLOSE, 0, 0);
        }
    }
}

}  // namespace

int WinMain(InstanceHandle instance, InstanceHandle, char*, int showCommand)
{
    appWindow.instance = instance;
    ReadDisplaySettings();
    // Nothing is torn down on these early exits; the end of the process reclaims it all.
    if (!CreateFullscreenWindow(instance, showCommand)) return 1;
    if (!InitGraphics()) return 2;
    if (!BuildScene()) return 3;
    StartFrameTimer();
    RunMessageLoop();
    return 0;
}
