// The Linux entry: main() hands over to the program's WinMain.
#define SDL_MAIN_HANDLED  // before SDL.h, which would otherwise rename main()
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

int main(int, char**)
{
    StartModeGuard();  // first: the guard must not inherit a thread, a display or a GL driver
    CatchHangup();
    static int instance;  // identifies the program to the window class; never dereferenced
    char commandLine[] = "";
    const int exitCode =
        WinMain(reinterpret_cast<InstanceHandle>(&instance), nullptr, commandLine, SW_SHOWDEFAULT);
    // NOTE: X11 keeps a changed display mode after the process ends; SDL puts the desktop
    // mode back when it shuts down, which Windows does for a fullscreen mode by itself, and the
    // guard does on every other way out.
    SDL_Quit();
    return exitCode;
}
