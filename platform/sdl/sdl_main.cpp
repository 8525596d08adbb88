// The Linux entry: main() hands over to the program's WinMain.
#include "platform/platform.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

int main(int, char**)
{
    static int instance;  // identifies the program to the window class; never dereferenced
    char commandLine[] = "";
    const int exitCode =
        WinMain(reinterpret_cast<InstanceHandle>(&instance), nullptr, commandLine, SW_SHOWDEFAULT);
    // NOTE: X11 keeps a changed display mode after the process ends; SDL puts the desktop
    // mode back when it shuts down, which Windows does for a fullscreen mode by itself.
    SDL_Quit();
    return exitCode;
}
