// SDL events become the program's window messages: the close request (and SIGHUP) WM_CLOSE, focus
// WM_ACTIVATEAPP, the mouse over the window WM_SETCURSOR, a key press WM_KEYDOWN.
#include "platform/sdl/sdl_internal.h"

#include <csignal>
#include <deque>

namespace {

std::deque<PlatformMessage> postedMessages;

volatile sig_atomic_t hangupPending = 0;

void NoteHangup(int) { hangupPending = 1; }

// Like GetKeyState, a key's state follows the messages taken off the queue so far, not the
// keyboard at this instant: a press is seen from its message on until its release is taken.
bool keyDown[SDL_NUM_SCANCODES];

int VirtualKey(SDL_Scancode scancode)
{
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0) return '0';
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return VK_NUMPAD0 + 1 + (scancode - SDL_SCANCODE_KP_1);
    if (scancode == SDL_SCANCODE_KP_0) return VK_NUMPAD0;
    if (scancode == SDL_SCANCODE_ESCAPE) return VK_ESCAPE;
    return 0;
}

PlatformWindow* MainWindow()
{
    size_t count = 0;
    PlatformWindow* const* windows = SdlWindows(&count);
    return count ? windows[0] : nullptr;
}

bool Translate(const SDL_Event& event, PlatformMessage* message)
{
    switch (event.type) {
    case SDL_QUIT:  // also what SIGINT and SIGTERM become
        *message = {MainWindow(), WM_CLOSE, 0, 0};
        return message->window != nullptr;
    case SDL_WINDOWEVENT: {
        PlatformWindow* window = SdlWindowFromId(event.window.windowID);
        if (!window) return false;
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: *message = {window, WM_CLOSE, 0, 0}; return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED: *message = {window, WM_ACTIVATEAPP, 1, 0}; return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: *message = {window, WM_ACTIVATEAPP, 0, 0}; return true;
        case SDL_WINDOWEVENT_ENTER: *message = {window, WM_SETCURSOR, 0, 0}; return true;
        default: return false;
        }
    }
    case SDL_MOUSEMOTION: {
        PlatformWindow* window = SdlWindowFromId(event.motion.windowID);
        *message = {window, WM_SETCURSOR, 0, 0};
        return window != nullptr;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const SDL_Scancode scancode = event.key.keysym.scancode;
        keyDown[scancode] = event.type == SDL_KEYDOWN;
        PlatformWindow* window = SdlWindowFromId(event.key.windowID);
        const int virtualKey = VirtualKey(scancode);
        if (event.type != SDL_KEYDOWN || !window || !virtualKey) return false;
        *message = {window, WM_KEYDOWN, uintptr_t(virtualKey), 0};
        return true;
    }
    default: return false;
    }
}

}  // namespace

bool PlatformPeekMessage(PlatformMessage* message)
{
    // Posted messages come before input, as on Windows.
    if (!postedMessages.empty()) {
        *message = postedMessages.front();
        postedMessages.pop_front();
        return true;
    }
    // A hang-up waits for the window, as SDL's quit event for SIGINT and SIGTERM does.
    if (hangupPending && MainWindow()) {
        hangupPending = 0;
        *message = {MainWindow(), WM_CLOSE, 0, 0};
        return true;
    }
    SDL_Event event;
    while (SDL_WasInit(SDL_INIT_VIDEO) && SDL_PollEvent(&event))
        if (Translate(event, message)) return true;
    return false;
}

void PlatformTranslateMessage(const PlatformMessage*) {}

intptr_t PlatformDispatchMessage(const PlatformMessage* message)
{
    WindowHandle window = message->window;
    if (!window || !window->procedure) return 0;
    return window->procedure(window, message->message, message->wParam, message->lParam);
}

intptr_t PlatformDefWindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) { return 0; }

void PlatformPostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    postedMessages.push_back({window, message, wParam, lParam});
}

int16_t PlatformGetKeyState(int virtualKey)
{
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
        if (VirtualKey(SDL_Scancode(scancode)) == virtualKey && keyDown[scancode])
            return int16_t(-128);  // 0xFF80: the high bits, as GetKeyState sets them
    return 0;
}

int PlatformShowCursor(bool show)
{
    static int displayCount = 0;
    displayCount += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(displayCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return displayCount;
}

void CatchHangup()
{
    struct sigaction action = {};
    if (sigaction(SIGHUP, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) return;
    action = {};
    action.sa_handler = NoteHangup;
    action.sa_flags = SA_RESTART;
    sigaction(SIGHUP, &action, nullptr);
}
