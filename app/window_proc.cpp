#include "app/window_proc.h"

#include "app/fullscreen_window.h"
#include "scene/model.h"
#include "scene/scene.h"
#include "state/app_state.h"

namespace {

// Main-keyboard digits only: the keypad digits (VK_NUMPAD1...) have other codes and do nothing.
void HandleKey(uintptr_t virtualKey)
{
    switch (virtualKey) {
    case '1': modelVisibility = {true, false}; break;
    case '2': modelVisibility = {false, true}; break;
    case '3': modelVisibility = {true, true}; break;
    case '4': renderMode = {true, false}; break;
    case '5': renderMode = {false, true}; break;
    case '6': renderMode = {true, true}; break;
    default: break;
    }
}

// Mode first, then context, on the way in; context first, then mode, on the way out.
void HandleActivation(uintptr_t wParam)
{
    // The system sends 1 or 0; 2 (WA_CLICKACTIVE) counts as active too.
    const bool active = wParam == 1 || wParam == 2;
    if (active == appState.active) return;
    appState.active = active;
    if (active) {
        PlatformChangeDisplayMode(&appWindow.fullscreenMode, DisplayModeChange::Reset);
        appState.contextCurrent =
            PlatformMakeCurrent(appWindow.deviceContext, appWindow.renderContext);
    } else {
        PlatformMakeCurrent(nullptr, nullptr);
        appState.contextCurrent = false;
        PlatformChangeDisplayMode(nullptr, DisplayModeChange::Fullscreen);
    }
}

}  // namespace

void Shutdown()
{
    // The models release their vertex buffers, so they go first, while the context is current. A
    // close request may come while the program is inactive, with the context released: it is
    // bound for them, and when that fails the buffers go with the context's deletion below.
    if (!appState.contextCurrent)
        appState.contextCurrent =
            PlatformMakeCurrent(appWindow.deviceContext, appWindow.renderContext);
    delete cubeModel;
    cubeModel = nullptr;
    delete sphereModel;
    sphereModel = nullptr;
    PlatformChangeDisplayMode(nullptr, DisplayModeChange::Fullscreen);
    PlatformShowCursor(true);
    PlatformMakeCurrent(nullptr, nullptr);
    appState.contextCurrent = false;
    PlatformDeleteContext(appWindow.renderContext);
    appWindow.renderContext = nullptr;
    PlatformDestroyWindow(appWindow.window);
    appWindow.window = nullptr;
    PlatformUnregisterWindowClass(kWindowClassName, appWindow.instance);
}

intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    switch (message) {
    case WM_CLOSE:
        // Never passed on: the window is destroyed by the teardown, not by the default handling.
        Shutdown();
        appState.running = false;
        return 0;
    case WM_ACTIVATEAPP: HandleActivation(wParam); return 0;
    case WM_SETCURSOR:
        // Every request lowers the display count once more; only the teardown raises it again.
        PlatformShowCursor(false);
        return 0;
    case WM_KEYDOWN: HandleKey(wParam); return 0;
    default: return PlatformDefWindowProc(window, message, wParam, lParam);
    }
}
