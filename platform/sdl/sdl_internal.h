// What the sdl backend's files share: the windows it made and the video subsystem.
#pragma once

#include "platform/platform.h"

#include <SDL.h>

#include <string>

// A window of the program's class. The SDL window behind it is made when its pixel format is
// set, because SDL (like GLX) fixes a window's visual when the window is created.
struct PlatformWindow {
    std::string title;
    WindowProcedure procedure = nullptr;
    int width = 0;
    int height = 0;
    SDL_Window* sdl = nullptr;
};

// Starts SDL's video subsystem once; false (with SDL's reason on stderr) when it cannot start.
bool StartSdlVideo();
bool IsOffscreenDriver();

// The live windows, first made first.
PlatformWindow* const* SdlWindows(size_t* count);
PlatformWindow* SdlWindowFromId(Uint32 windowId);

// The display mode the program's windows are to show in, or null while the desktop mode rules.
const SDL_DisplayMode* SdlFullscreenMode();
void ApplyFullscreenMode(PlatformWindow* window);

// The desktop's mode given back however the program ends (sdl_mode_guard.cpp). Started by main()
// before SDL; told, on X11 only, before the program's mode is applied (which waits until the
// guard has read the desktop's mode), after it is applied, and after the desktop's is back.
void StartModeGuard();
enum class ModeNews { Entering, Entered, Left };
void TellModeGuard(ModeNews news);

// SIGHUP (the terminal closed) asks the program to quit, as SIGINT and SIGTERM do through SDL;
// one ignored when the program starts (nohup) stays ignored (sdl_messages.cpp).
void CatchHangup();
