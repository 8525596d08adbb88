// The sdl backend's keys, through its real event queue: key events pushed for the program's
// window come out of PlatformPeekMessage as the program's messages, and PlatformGetKeyState
// follows them. The program acts on the main keyboard's digits only, so a keypad digit must never
// pass for one.
#include "platform/sdl/sdl_internal.h"
#include "state/app_window.h"
#include "tests/gl/gl_context_fixture.h"

#include <string>
#include <vector>

namespace {

class SdlMessagesTest : public GlTest {
protected:
    static void PushKey(Uint32 type, SDL_Scancode scancode)
    {
        SDL_Event event = {};
        event.type = type;
        event.key.windowID = SDL_GetWindowID(appWindow.window->sdl);
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = scancode;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    // The virtual keys of the WM_KEYDOWN messages pending, the queue left empty.
    static std::vector<uintptr_t> TakeKeyDowns()
    {
        std::vector<uintptr_t> keys;
        for (PlatformMessage message; PlatformPeekMessage(&message);) {
            if (message.message != WM_KEYDOWN) continue;
            EXPECT_EQ(message.window, appWindow.window);
            keys.push_back(message.wParam);
        }
        return keys;
    }

    // The main keyboard's digits that PlatformGetKeyState reports held.
    static std::string HeldDigits()
    {
        std::string held;
        for (char digit = '0'; digit <= '9'; ++digit)
            if (PlatformGetKeyState(digit) & 0x80) held += digit;
        return held;
    }
};

}  // namespace

TEST_F(SdlMessagesTest, KeysBecomeTheirVirtualKeysAndOnlyMainDigitsHoldDigits)
{
    const struct {
        SDL_Scancode scancode;
        uintptr_t virtualKey;
        const char* heldDigits;  // while the key is down
    } cases[] = {
        {SDL_SCANCODE_1, '1', "1"},
        {SDL_SCANCODE_6, '6', "6"},
        {SDL_SCANCODE_9, '9', "9"},
        {SDL_SCANCODE_0, '0', "0"},
        {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, ""},
        {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, ""},
        {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, ""},
        {SDL_SCANCODE_KP_0, VK_NUMPAD0, ""},
        {SDL_SCANCODE_ESCAPE, VK_ESCAPE, ""},
    };
    TakeKeyDowns();  // whatever the window's making left queued
    for (const auto& row : cases) {
        SCOPED_TRACE(SDL_GetScancodeName(row.scancode));
        PushKey(SDL_KEYDOWN, row.scancode);
        EXPECT_EQ(TakeKeyDowns(), std::vector<uintptr_t>{row.virtualKey});
        EXPECT_NE(PlatformGetKeyState(int(row.virtualKey)) & 0x80, 0);
        EXPECT_EQ(HeldDigits(), row.heldDigits);

        PushKey(SDL_KEYUP, row.scancode);
        EXPECT_EQ(TakeKeyDowns(), std::vector<uintptr_t>{});
        EXPECT_EQ(PlatformGetKeyState(int(row.virtualKey)), 0);
    }
}
