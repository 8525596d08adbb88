// One real OpenGL context, 800 x 600, shared by every GL test of a test
// binary. Including this header is enough: the context is made before the first test runs and
// stays current on the main thread. SDL's offscreen driver (EGL, Mesa's software drivers) needs no
// display; SDL_VIDEODRIVER in the environment still wins, to watch the tests on a real screen.
#pragma once

#include "app/fullscreen_window.h"
#include "gfx/capabilities.h"
#include "gfx/gl.h"
#include "state/display_settings.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class GlContextEnvironment : public ::testing::Environment {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    // Why there is no context, or empty when there is one.
    static const std::string& Failure() { return failure_; }

    // The window and context come from the program's own start-up path, so appWindow holds
    // them exactly as in the running program. From then on, every OpenGL error fails the test
    // (or the suite set-up) that caused it, with the driver's message, where the context offers
    // debug output (Mesa does on any context).
    void SetUp() override
    {
        const std::string driver = PinDriver();
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        displaySettings = DisplaySettings();
        static int instance;
        if (!CreateFullscreenWindow(reinterpret_cast<InstanceHandle>(&instance), SW_SHOWDEFAULT))
            return Fail("CreateFullscreenWindow");
        // Each test's output names the driver that draws, and a run on another one than the
        // suite asked for stops here.
        const std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        std::printf("GL_RENDERER: %s\n", renderer.c_str());
        if (renderer.rfind(driver, 0) != 0) {
            failure_ = "the tests asked for " + driver + ", the renderer is " + renderer;
            return;
        }
        ReportErrorsAsTheyHappen();
        failure_.clear();
    }

    void TearDown() override
    {
        PlatformMakeCurrent(nullptr, nullptr);
        SDL_Quit();
        failure_ = kNotSetUp;
    }

private:
    // The tests meet the driver and settings their pictures were measured with, as
    // tests/driver_pin.txt says, with one exception: SDL_VIDEODRIVER in the environment, to
    // watch the tests on a real screen. The suite picks the driver with DOT3BUMP_TEST_DRIVER:
    // llvmpipe unless it names softpipe, or zink, which draws through lavapipe (Mesa's Vulkan
    // driver on the CPU). Returns the driver's name.
    static std::string PinDriver()
    {
        std::ifstream pin(DOT3BUMP_DRIVER_PIN);
        if (!pin) std::fprintf(stderr, "cannot read %s\n", DOT3BUMP_DRIVER_PIN);
        for (std::string line; std::getline(pin, line);) {
            std::istringstream words(line);
            std::string verb, what;
            words >> verb >> what;
            std::vector<std::string> names;
            for (char** entry = environ; verb == "unset" && *entry; ++entry) {
                const std::string name(*entry, std::strcspn(*entry, "="));
                if (name.rfind(what, 0) == 0 && name != "SDL_VIDEODRIVER") names.push_back(name);
            }
            for (const std::string& name : names) unsetenv(name.c_str());
            const size_t equals = what.find('=');
            if (verb == "set" && equals != std::string::npos)
                setenv(what.substr(0, equals).c_str(), what.substr(equals + 1).c_str(), 1);
        }
        const char* const chosen = std::getenv("DOT3BUMP_TEST_DRIVER");
        const std::string driver = chosen ? chosen : "llvmpipe";
        setenv("GALLIUM_DRIVER", driver.c_str(), 1);
        return driver;
    }

    static void APIENTRY OnDebugMessage(GLenum, GLenum type, GLuint, GLenum, GLsizei,
                                        const GLchar* message, const void*)
    {
        if (type == GL_DEBUG_TYPE_ERROR) ADD_FAILURE() << "OpenGL error: " << message;
    }

    static void ReportErrorsAsTheyHappen()
    {
        // The driver's own string: a test may hand the program other extension strings.
        static const bool debugOutput = SearchGlExtensionString(
            reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), "GL_KHR_debug");
        if (!debugOutput) return;
        const auto debugMessageCallback = reinterpret_cast<PFNGLDEBUGMESSAGECALLBACKPROC>(
            PlatformGetProcAddress("glDebugMessageCallback"));
        // Synchronous, so that the failure is raised inside the call that caused it.
        glEnable(GL_DEBUG_OUTPUT);
        glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
        debugMessageCallback(OnDebugMessage, nullptr);
    }

    void Fail(const char* step)
    {
        failure_ = std::string(step) + " failed under SDL video driver \"" +
                   (SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "none") +
                   "\": " + SDL_GetError();
    }

    static constexpr const char* kNotSetUp = "the GL test environment is not set up";
    static inline std::string failure_ = kNotSetUp;
};

// An inline variable is initialised once per program, however many test files include this.
inline ::testing::Environment* const glContextEnvironment =
    ::testing::AddGlobalTestEnvironment(new GlContextEnvironment);

// Base fixture of GL tests: fails each test up front when there is no context, and starts it
// from a cleared black framebuffer, identity matrices and a clean error flag. An OpenGL error
// the test leaves behind fails it, as does (through the debug output) any error raised and
// cleared again on the way.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(GlContextEnvironment::Failure(), "");
        while (glGetError() != GL_NO_ERROR) {}
        glViewport(0, 0, GlContextEnvironment::kWidth, GlContextEnvironment::kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void TearDown() override
    {
        if (!GlContextEnvironment::Failure().empty()) return;
        for (GLenum error; (error = glGetError()) != GL_NO_ERROR;)
            ADD_FAILURE() << "the test left OpenGL error 0x" << std::hex << error << " behind";
    }

    // The colour buffer as RGBA bytes, bottom row first like glReadPixels gives it.
    static std::vector<uint8_t> ReadFramebuffer()
    {
        std::vector<uint8_t> pixels(size_t(GlContextEnvironment::kWidth) *
                                    GlContextEnvironment::kHeight * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, GlContextEnvironment::kWidth, GlContextEnvironment::kHeight, GL_RGBA,
                     GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};
