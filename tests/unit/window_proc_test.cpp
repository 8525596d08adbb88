#include "app/window_proc.h"
#include "app/fullscreen_window.h"
#include "state/app_state.h"
#include "tests/fake/fake_platform.h"

#include <gtest/gtest.h>

namespace {

class WindowProcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakePlatform();
        appState = AppState();
        modelVisibility = ModelVisibility();
        renderMode = RenderMode();
        appWindow = AppWindow();
        appWindow.instance = reinterpret_cast<InstanceHandle>(uintptr_t(0x77));
        appWindow.window = FakeWindow(1);
        appWindow.deviceContext = FakeDeviceContext(1);
        appWindow.renderContext = FakeRenderContext(1);
        appWindow.fullscreenMode = {1024, 768, 32, 75};
    }

    intptr_t Send(uint32_t message, uintptr_t wParam = 0)
    {
        return WindowProc(appWindow.window, message, wParam, 0);
    }
};

struct KeyOutcome {
    uintptr_t key;
    ModelVisibility visibility;
    RenderMode mode;
};

}  // namespace

TEST_F(WindowProcTest, DigitKeysSetBothFlagsOfTheirPair)
{
    // Each key starts from the opposite of what it sets, so "same" flags are seen kept.
    const KeyOutcome outcomes[] = {
        {'1', {true, false}, {false, true}}, {'2', {false, true}, {false, true}},
        {'3', {true, true}, {false, true}},  {'4', {false, true}, {true, false}},
        {'5', {false, true}, {false, true}}, {'6', {false, true}, {true, true}},
    };
    for (const KeyOutcome& outcome : outcomes) {
        SCOPED_TRACE(char(outcome.key));
        modelVisibility = {false, true};
        renderMode = {false, true};
        EXPECT_EQ(Send(WM_KEYDOWN, outcome.key), 0);
        EXPECT_EQ(modelVisibility.cubeVisible, outcome.visibility.cubeVisible);
        EXPECT_EQ(modelVisibility.sphereVisible, outcome.visibility.sphereVisible);
        EXPECT_EQ(renderMode.bumpPass, outcome.mode.bumpPass);
        EXPECT_EQ(renderMode.colorPass, outcome.mode.colorPass);
    }
}

TEST_F(WindowProcTest, KeypadDigitsEscapeAndOtherKeysChangeNothing)
{
    modelVisibility = {true, false};
    renderMode = {false, true};
    for (uintptr_t key : {uintptr_t(VK_NUMPAD0 + 1), uintptr_t(VK_NUMPAD0 + 6),
                          uintptr_t(VK_ESCAPE), uintptr_t('0'), uintptr_t('7'), uintptr_t('A')}) {
        EXPECT_EQ(Send(WM_KEYDOWN, key), 0);
    }
    EXPECT_TRUE(modelVisibility.cubeVisible);
    EXPECT_FALSE(modelVisibility.sphereVisible);
    EXPECT_FALSE(renderMode.bumpPass);
    EXPECT_TRUE(renderMode.colorPass);
    EXPECT_TRUE(fakePlatform.calls.empty());
}

TEST_F(WindowProcTest, DeactivationReleasesContextThenRestoresDesktop)
{
    EXPECT_EQ(Send(WM_ACTIVATEAPP, 0), 0);
    EXPECT_FALSE(appState.active);
    const std::vector<std::string> expected = {"MakeCurrent(null,null)",
                                               "ChangeDisplayMode(desktop)"};
    EXPECT_EQ(fakePlatform.calls, expected);
}

TEST_F(WindowProcTest, ReactivationResetsModeThenRebindsTheSameContext)
{
    for (uintptr_t wParam : {uintptr_t(1), uintptr_t(2)}) {
        SCOPED_TRACE(wParam);
        appState.active = false;
        fakePlatform.calls.clear();
        Send(WM_ACTIVATEAPP, wParam);
        EXPECT_TRUE(appState.active);
        const std::vector<std::string> expected = {"ChangeDisplayMode(1024x768x32@75,reset)",
                                                   "MakeCurrent(0x2001,0x3001)"};
        EXPECT_EQ(fakePlatform.calls, expected);
    }
}

TEST_F(WindowProcTest, RepeatedActivationStateDoesNothing)
{
    Send(WM_ACTIVATEAPP, 1);
    Send(WM_ACTIVATEAPP, 2);
    EXPECT_TRUE(fakePlatform.calls.empty());
    appState.active = false;
    Send(WM_ACTIVATEAPP, 0);
    Send(WM_ACTIVATEAPP, 3);  // anything but 1 and 2 means inactive
    EXPECT_TRUE(fakePlatform.calls.empty());
    EXPECT_FALSE(appState.active);
}

TEST_F(WindowProcTest, CloseTearsDownInOrderThenStopsTheLoop)
{
    EXPECT_EQ(Send(WM_CLOSE), 0);
    const std::vector<std::string> expected = {
        "ChangeDisplayMode(desktop)", "ShowCursor(TRUE)",
        "MakeCurrent(null,null)",     "DeleteContext(0x3001)",
        "DestroyWindow(0x1001)",      "UnregisterWindowClass(OpenGL Brisvelle,0x77)"};
    EXPECT_EQ(fakePlatform.calls, expected);
    EXPECT_FALSE(appState.running);
    EXPECT_EQ(appWindow.window, nullptr);
    EXPECT_EQ(appWindow.renderContext, nullptr);
}

TEST_F(WindowProcTest, EveryCursorRequestHidesTheCursorOnceMore)
{
    EXPECT_EQ(Send(WM_SETCURSOR), 0);
    EXPECT_EQ(Send(WM_SETCURSOR), 0);
    EXPECT_EQ(fakePlatform.cursorCount, -2);
    EXPECT_EQ(fakePlatform.calls, std::vector<std::string>(2, "ShowCursor(FALSE)"));
}

TEST_F(WindowProcTest, OtherMessagesGoToTheDefaultHandling)
{
    Send(0x0005);  // WM_SIZE
    EXPECT_EQ(fakePlatform.calls, std::vector<std::string>{"DefWindowProc(5)"});
}
