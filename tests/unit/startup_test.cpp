// Start-up order, exit codes and the message loop, run through WinMain against the fake.
#include "app/display_settings.h"
#include "app/fullscreen_window.h"
#include "gfx/capabilities.h"
#include "state/app_state.h"
#include "tests/fake/fake_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakePlatform();
        appState = AppState();
        appWindow = AppWindow();
        fakePlatform.escapeDown = true;  // so that a started loop ends after its first frame
        capabilityFlags = CapabilityFlags();
        glExtensions = "GL_ARB_vertex_buffer_object";
        glExtensionString = [] { return glExtensions; };
        // The program opens its data files by bare name from the folder it runs in.
        std::filesystem::current_path(DOT3BUMP_RUN_DIR);
    }

    void TearDown() override
    {
        glExtensionString = savedSource;
        std::filesystem::current_path(savedDirectory);
    }

    const std::filesystem::path savedDirectory = std::filesystem::current_path();

    static inline const char* glExtensions = nullptr;
    const ExtensionStringSource savedSource = glExtensionString;

    int Run() { return WinMain(instance, nullptr, nullptr, 5); }

    size_t IndexOf(const std::string& call)
    {
        const auto& calls = fakePlatform.calls;
        return size_t(std::find(calls.begin(), calls.end(), call) - calls.begin());
    }

    int Count(const std::string& call)
    {
        return int(std::count(fakePlatform.calls.begin(), fakePlatform.calls.end(), call));
    }

    InstanceHandle instance = reinterpret_cast<InstanceHandle>(uintptr_t(0x77));
};

}  // namespace

TEST_F(StartupTest, OpensTheWindowInOrderAndEndsWithZeroOnEscape)
{
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(appWindow.instance, instance);
    const std::vector<std::string> expected = {
        "RegOpenKey(Software\\Quorvane\\Telmarix - practice)",
        "ChangeDisplayMode(800x600x32@60,fullscreen)",
        "RegisterWindowClass(OpenGL Brisvelle)",
        "CreatePopupWindow(OpenGL Brisvelle,OpenGL Brisvelle,800x600)",
        "GetDC(0x1001)",
        "ChoosePixelFormat(32;8<<16,8<<8,8<<0;16)",
        "SetPixelFormat(0x2001,1)",
        "CreateContext(0x2001)",
        "MakeCurrent(0x2001,0x3001)",
        "ShowWindow(0x1001,5)",
        "UpdateWindow(0x1001)",
        "SetFocus(0x1001)"};
    ASSERT_GE(fakePlatform.calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(fakePlatform.calls.begin(),
                                       fakePlatform.calls.begin() + expected.size()),
              expected);
    // Escape posts exactly one close request, dispatched before any further frame.
    EXPECT_EQ(Count("PostMessage(0x1001,16)"), 1);
    EXPECT_EQ(Count("SwapBuffers(0x2001)"), 2);  // the loading screen and one frame
    EXPECT_EQ(fakePlatform.calls.back(), "UnregisterWindowClass(OpenGL Brisvelle,0x77)");
    EXPECT_FALSE(appState.running);
}

TEST_F(StartupTest, SixteenBitModeAsksForFourBitsPerChannel)
{
    fakePlatform.keyExists = true;
    fakePlatform.values = {{"Width", {0x20, 0x03, 0, 0}},
                           {"Height", {0x58, 0x02, 0, 0}},
                           {"BitsPerPixel", {16, 0, 0, 0}}};
    EXPECT_EQ(Run(), 0);
    EXPECT_LT(IndexOf("ChoosePixelFormat(16;4<<8,4<<4,4<<0;16)"), fakePlatform.calls.size());
}

TEST_F(StartupTest, WindowStepFailuresEndWithOneAndShowNothing)
{
    struct Failure {
        const char* name;
        bool FakePlatform::*flag;
    };
    const Failure failures[] = {{"display mode", &FakePlatform::displayModeSucceeds},
                                {"window", &FakePlatform::createWindowSucceeds},
                                {"pixel format", &FakePlatform::setPixelFormatSucceeds},
                                {"context", &FakePlatform::createContextSucceeds},
                                {"make current", &FakePlatform::makeCurrentSucceeds}};
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.name);
        SetUp();
        fakePlatform.*failure.flag = false;
        EXPECT_EQ(Run(), 1);
        // Nothing is shown and nothing is torn down on an early exit.
        EXPECT_EQ(Count("ShowWindow(0x1001,5)"), 0);
        EXPECT_EQ(Count("ChangeDisplayMode(desktop)"), 0);
        EXPECT_TRUE(fakePlatform.messageBoxes.empty());
    }
}

TEST_F(StartupTest, ImpossibleModeFailsBeforeAnyWindowExists)
{
    fakePlatform.displayModeSucceeds = false;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(fakePlatform.calls.back(), "ChangeDisplayMode(800x600x32@60,fullscreen)");
}

TEST_F(StartupTest, PendingMessagesAreDrainedBeforeTheFirstFrame)
{
    for (int i = 0; i < 3; ++i) fakePlatform.queue.push_back({FakeWindow(1), WM_SETCURSOR, 0, 0});
    EXPECT_EQ(Run(), 0);
    const auto& calls = fakePlatform.calls;
    const size_t loadingScreen = IndexOf("SwapBuffers(0x2001)");
    const size_t firstFrame =
        size_t(std::find(calls.begin() + loadingScreen + 1, calls.end(), "SwapBuffers(0x2001)") -
               calls.begin());
    EXPECT_EQ(std::count(calls.begin(), calls.begin() + firstFrame, "ShowCursor(FALSE)"), 3);
}

TEST_F(StartupTest, CloseFromTheWindowEndsWithZeroWithoutEscape)
{
    fakePlatform.escapeDown = false;
    fakePlatform.queue.push_back({FakeWindow(1), WM_CLOSE, 0, 0});
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Count("SwapBuffers(0x2001)"), 1);  // the loading screen only: no frame
    EXPECT_EQ(Count("ShowCursor(TRUE)"), 1);
}

TEST_F(StartupTest, MissingVertexBuffersShowOneBoxThenEndWithTwo)
{
    glExtensions = "GL_ARB_multitexture GL_ARB_vertex_buffer_objects";
    glExtensionEntryPoints = GlExtensionEntryPoints();
    EXPECT_EQ(Run(), 2);
    ASSERT_EQ(fakePlatform.messageBoxes.size(), 1u);
    const FakeMessageBox& box = fakePlatform.messageBoxes[0];
    EXPECT_EQ(box.text, "Vertex Buffer Object not supported!");
    EXPECT_EQ(box.caption, "Extensions");
    EXPECT_EQ(box.style, MB_ICONERROR);
    EXPECT_EQ(box.owner, FakeWindow(1));
    // Nothing after the test ran: no other flag, no entry point, no frame.
    EXPECT_FALSE(capabilityFlags.multitexture);
    EXPECT_EQ(glExtensionEntryPoints.glBindBufferARB, nullptr);
    EXPECT_EQ(Count("SwapBuffers(0x2001)"), 0);
}

// A driver may refuse to bind the context again on re-activation: nothing is drawn then, Escape
// still closes, and the teardown binds no buffers' deletion to a context that is not current.
TEST_F(StartupTest, ContextThatCannotBeBoundAgainDrawsNothingAndDeletesNoBuffers)
{
    fakePlatform.bindsLeft = 1;  // the start-up's
    fakePlatform.queue.push_back({FakeWindow(1), WM_ACTIVATEAPP, 0, 0});
    fakePlatform.queue.push_back({FakeWindow(1), WM_ACTIVATEAPP, 1, 0});
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Count("SwapBuffers(0x2001)"), 1);         // the loading screen only: no frame
    EXPECT_EQ(Count("MakeCurrent(0x2001,0x3001)"), 3);  // start-up, re-activation, teardown
    EXPECT_EQ(fakePlatform.buffersDeleted, 0);
    EXPECT_EQ(fakePlatform.calls.back(), "UnregisterWindowClass(OpenGL Brisvelle,0x77)");
}

// A close request while inactive (the taskbar, or SIGTERM through SDL) finds the context
// released: the teardown binds it before the models delete their buffers through the driver.
TEST_F(StartupTest, CloseWhileInactiveBindsTheContextBeforeTheBuffersGo)
{
    fakePlatform.escapeDown = false;
    fakePlatform.queue.push_back({FakeWindow(1), WM_ACTIVATEAPP, 0, 0});
    fakePlatform.queue.push_back({FakeWindow(1), WM_CLOSE, 0, 0});
    EXPECT_EQ(Run(), 0);
    const size_t released = IndexOf("MakeCurrent(null,null)");
    const auto& calls = fakePlatform.calls;
    const size_t bound =
        size_t(std::find(calls.begin() + released, calls.end(), "MakeCurrent(0x2001,0x3001)") -
               calls.begin());
    EXPECT_LT(bound, IndexOf("DeleteBuffers(2)"));
    EXPECT_EQ(fakePlatform.buffersDeleted, 4);
}

// Two texture units and the Dot3 extensions: the models are drawn with their colour texture
// alone, and no call names unit 2, which a driver would refuse while the calls meant for it
// changed unit 1.
TEST_F(StartupTest, TwoTextureUnitsDrawColoursWithoutNamingAThirdUnit)
{
    glExtensions =
        "GL_ARB_vertex_buffer_object GL_ARB_multitexture GL_ARB_texture_cube_map "
        "GL_ARB_texture_env_combine GL_ARB_texture_env_dot3";
    const TextureUnitSource savedUnits = textureUnitCount;
    textureUnitCount = [] { return int32_t(2); };
    EXPECT_EQ(Run(), 0);
    textureUnitCount = savedUnits;
    EXPECT_FALSE(capabilityFlags.bumpMapping);
    EXPECT_EQ(Count("SwapBuffers(0x2001)"), 2);  // the loading screen and one frame
    EXPECT_EQ(fakePlatform.highestUnitSelected, 1);
}
