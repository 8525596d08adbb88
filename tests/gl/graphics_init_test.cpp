// Graphics start-up on a real context: the state it leaves, the projection, the loading screen.
#include "gfx/graphics_init.h"
#include "gfx/capabilities.h"
#include "gfx/hud_font.h"
#include "gfx/render_state.h"
#include "tests/gl/gl_context_fixture.h"

#include <cmath>

namespace {

class GraphicsInitTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
    }

    void TearDown() override
    {
        glPopAttrib();
        GlTest::TearDown();
    }

    static void ExpectMatrix(GLenum which, const GLfloat* expected)
    {
        GLfloat actual[16];
        glGetFloatv(which, actual);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(actual[i], expected[i], 1e-6f * std::max(1.0f, std::fabs(expected[i])))
                << "element " << i;
    }

    // gluPerspective's matrix, computed here rather than by GLU.
    static void Perspective(double fovy, double aspect, double zNear, double zFar, GLfloat* m)
    {
        const double f = 1.0 / std::tan(fovy * M_PI / 360.0);
        std::fill(m, m + 16, 0.0f);
        m[0] = GLfloat(f / aspect);
        m[5] = GLfloat(f);
        m[10] = GLfloat((zFar + zNear) / (zNear - zFar));
        m[11] = -1.0f;
        m[14] = GLfloat(2.0 * zFar * zNear / (zNear - zFar));
    }
};

}  // namespace

TEST_F(GraphicsInitTest, LeavesTheFixedStateAndTheLoadingScreen)
{
    ASSERT_TRUE(InitGraphics());
    EXPECT_TRUE(capabilityFlags.vertexBufferObject);
    EXPECT_NE(glExtensionEntryPoints.glBindBufferARB, nullptr);

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_MULTISAMPLE_ARB));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(value, GL_MODELVIEW);
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_EQ(color[0] + color[1] + color[2], 3.0f);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);

    const GLfloat identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    ExpectMatrix(GL_MODELVIEW_MATRIX, identity);
    GLfloat projection[16];
    Perspective(45.0, 800.0 / 600.0, double(0.01f), 1500.0, projection);
    ExpectMatrix(GL_PROJECTION_MATRIX, projection);

    // The loading screen: white text a little left of and below the centre, black elsewhere.
    // (-5, -1) at 100 units in front of the eye lands near window (364, 293).
    const std::vector<uint8_t> pixels = ReadFramebuffer();
    int lit = 0, stray = 0, grey = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const uint8_t* p = &pixels[(size_t(y) * 800 + x) * 4];
            if (p[0] == 0 && p[1] == 0 && p[2] == 0) continue;
            ++lit;
            if (p[0] != 255 || p[1] != 255 || p[2] != 255) ++grey;
            if (x < 360 || x > 400 + 100 || y < 285 || y > 300 + 20) ++stray;
        }
    }
    EXPECT_GT(lit, 60);
    EXPECT_EQ(grey, 0);
    EXPECT_EQ(stray, 0);
}

TEST_F(GraphicsInitTest, ProjectionFollowsTheClientAreaAsAFloatingQuotient)
{
    // A second window and context of 1280 x 1024 through the program's own window path.
    const AppWindow saved = appWindow;
    ASSERT_TRUE(PlatformChangeDisplayMode(nullptr, DisplayModeChange::Fullscreen));
    appWindow.window =
        PlatformCreatePopupWindow(saved.instance, kWindowClassName, "large", 1280, 1024);
    ASSERT_NE(appWindow.window, nullptr);
    appWindow.deviceContext = PlatformGetDC(appWindow.window);
    const PixelFormatRequest request = PlainPixelFormat(32);
    ASSERT_TRUE(PlatformSetPixelFormat(appWindow.deviceContext,
                                       PlatformChoosePixelFormat(appWindow.deviceContext, &request),
                                       &request));
    appWindow.renderContext = PlatformCreateContext(appWindow.deviceContext);
    ASSERT_TRUE(PlatformMakeCurrent(appWindow.deviceContext, appWindow.renderContext));

    SetRenderState();
    GLfloat projection[16];
    Perspective(45.0, 1.25, double(0.01f), 1500.0, projection);
    ExpectMatrix(GL_PROJECTION_MATRIX, projection);

    PlatformMakeCurrent(saved.deviceContext, saved.renderContext);
    PlatformDeleteContext(appWindow.renderContext);
    PlatformDestroyWindow(appWindow.window);
    appWindow = saved;
}

TEST_F(GraphicsInitTest, HudTextKeepsTheListBaseItFound)
{
    BuildHudFont();
    glListBase(1234);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    glRasterPos2f(-1.0f, 0.0f);
    DrawHudText("Hello");
    GLint base = 0;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 1234);
    const std::vector<uint8_t> pixels = ReadFramebuffer();
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] == 255;
    EXPECT_GT(lit, 20);
}

TEST(HudFontHeight, ScalesFromTwentyPixelsAt1024Truncating)
{
    EXPECT_EQ(HudFontHeight(800), -15);
    EXPECT_EQ(HudFontHeight(1024), -20);
    EXPECT_EQ(HudFontHeight(1280), -25);
    EXPECT_EQ(HudFontHeight(1600), -31);
}
