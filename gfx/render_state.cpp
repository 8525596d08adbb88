#include "gfx/render_state.h"

#include "gfx/gl.h"
#include "gfx/hud_font.h"
#include "state/app_window.h"

void SetRenderState()
{
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDrawBuffer(GL_BACK);
    glDisable(GL_BLEND);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_CULL_FACE);
    // Harmless without a multisample format, so it is not made to depend on one.
    glEnable(GL_MULTISAMPLE_ARB);

    int32_t width = 0, height = 0;
    PlatformGetClientSize(appWindow.window, &width, &height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A fullscreen window is never empty, but a zero height must not divide by zero.
    const double aspect = height > 0 ? double(width) / double(height) : 1.0;
    gluPerspective(45.0, aspect, double(0.01f), 1500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ShowLoadingScreen()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    // In the plane 100 units in front of the eye; the colour goes before the raster position,
    // which takes the current colour when it is set.
    glTranslatef(0.0f, 0.0f, -100.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(-5.0f, -1.0f);
    DrawHudText("Loading...");
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    PlatformSwapBuffers(appWindow.deviceContext);
}
