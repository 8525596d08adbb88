// Messages: PeekMessageA, TranslateMessage, DispatchMessageA, DefWindowProcA, PostMessageA;
// keyboard and cursor: GetKeyState, ShowCursor.
#include "platform/win32/win32_platform.h"

namespace {

// The whole MSG of the last message taken off the queue. PlatformMessage carries only the
// window, code and parameters; TranslateMessage and DispatchMessageA get the original record,
// time and cursor position included, when they are handed that message back.
MSG lastPeeked = {};

MSG ToWin32Message(const PlatformMessage* message)
{
    HWND window = ToWin32(message->window);
    WPARAM wParam = message->wParam;
    LPARAM lParam = message->lParam;
    if (lastPeeked.hwnd == window && lastPeeked.message == message->message &&
        lastPeeked.wParam == wParam && lastPeeked.lParam == lParam) {
        return lastPeeked;
    }
    MSG msg = {};
    msg.hwnd = window;
    msg.message = message->message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(GetMessageTime());
    DWORD position = GetMessagePos();
    msg.pt.x = static_cast<SHORT>(LOWORD(position));
    msg.pt.y = static_cast<SHORT>(HIWORD(position));
    return msg;
}

}  // namespace

bool PlatformPeekMessage(PlatformMessage* message)
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    lastPeeked = msg;
    message->window = ToHandle(msg.hwnd);
    message->message = msg.message;
    message->wParam = msg.wParam;
    message->lParam = msg.lParam;
    return true;
}

void PlatformTranslateMessage(const PlatformMessage* message)
{
    MSG msg = ToWin32Message(message);
    TranslateMessage(&msg);
}

intptr_t PlatformDispatchMessage(const PlatformMessage* message)
{
    MSG msg = ToWin32Message(message);
    return DispatchMessageA(&msg);
}

intptr_t PlatformDefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                               intptr_t lParam)
{
    return DefWindowProcA(ToWin32(window), message, wParam, lParam);
}

void PlatformPostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    PostMessageA(ToWin32(window), message, wParam, lParam);
}

int16_t PlatformGetKeyState(int virtualKey) { return GetKeyState(virtualKey); }

int PlatformShowCursor(bool show) { return ShowCursor(show ? TRUE : FALSE); }
