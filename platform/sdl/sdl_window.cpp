#include "platform/sdl/sdl_internal.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

std::map<std::string, WindowProcedure> windowClasses;
std::vector<PlatformWindow*> windows;

}  // namespace

PlatformWindow* const* SdlWindows(size_t* count)
{
    *count = windows.size();
    return windows.data();
}

PlatformWindow* SdlWindowFromId(Uint32 windowId)
{
    SDL_Window* sdl = SDL_GetWindowFromID(windowId);
    for (PlatformWindow* window : windows)
        if (sdl && window->sdl == sdl) return window;
    return nullptr;
}

void PlatformRegisterWindowClass(InstanceHandle, const char* className, WindowProcedure procedure)
{
    windowClasses.emplace(className, procedure);
}

void PlatformUnregisterWindowClass(const char* className, InstanceHandle)
{
    windowClasses.erase(className);
}

WindowHandle PlatformCreatePopupWindow(InstanceHandle, const char* className, const char* title,
                                       int width, int height)
{
    const auto found = windowClasses.find(className);
    if (found == windowClasses.end() || width <= 0 || height <= 0) return nullptr;
    auto* window = new PlatformWindow;
    window->title = title;
    window->procedure = found->second;
    window->width = width;
    window->height = height;
    windows.push_back(window);
    return window;
}

void PlatformDestroyWindow(WindowHandle window)
{
    if (!window) return;
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    if (window->sdl) SDL_DestroyWindow(window->sdl);
    delete window;
}

void PlatformShowWindow(WindowHandle window, int)
{
    if (!window || !window->sdl) return;
    // A fullscreen window takes the screen to its mode as it is shown.
    const bool fullscreen = SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_FULLSCREEN;
    if (fullscreen) TellModeGuard(ModeNews::Entering);
    SDL_ShowWindow(window->sdl);
    if (fullscreen) TellModeGuard(ModeNews::Entered);
}

void PlatformUpdateWindow(WindowHandle) {}

void PlatformSetFocus(WindowHandle window)
{
    if (!window || !window->sdl) return;
    SDL_RaiseWindow(window->sdl);
    SDL_SetWindowInputFocus(window->sdl);
}

WindowHandle PlatformGetFocus()
{
    SDL_Window* focus = SDL_GetKeyboardFocus();
    return focus ? SdlWindowFromId(SDL_GetWindowID(focus)) : nullptr;
}

void PlatformGetClientSize(WindowHandle window, int32_t* width, int32_t* height)
{
    int w = window->width, h = window->height;
    if (window->sdl) SDL_GL_GetDrawableSize(window->sdl, &w, &h);
    *width = w;
    *height = h;
}
