#include "scene/frame_driver.h"

#include "gfx/gl.h"
#include "scene/camera.h"
#include "scene/model.h"
#include "scene/overlay.h"
#include "scene/scene.h"
#include "state/app_state.h"
#include "state/app_window.h"

void SetRotationSteps(float elapsedSeconds, RotationStep& cube, RotationStep& sphere)
{
    // 30.000002 is the float just above 30 (30 + 2^-19), not 30 itself.
    cube.y = elapsedSeconds * 20.0f;
    cube.z = elapsedSeconds * 30.000002f;
    sphere.x = elapsedSeconds * 10.0f;
    sphere.y = elapsedSeconds * 20.0f;
}

void RenderFrame()
{
    RenderFrame([](Model& model) { model.Draw(); });
}

void RenderFrame(DrawModelFunction drawModel)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Time flows one frame late: the duration measured at the end of the previous frame.
    SetRotationSteps(frameTimer.elapsedSeconds, cubeModel->rotationStep, sphereModel->rotationStep);
    cubeModel->Rotate();
    sphereModel->Rotate();
    sceneCamera->Update();

    // Each Draw multiplies its own transform onto the modelview matrix, so the view is loaded
    // afresh before each model.
    glMatrixMode(GL_MODELVIEW);
    if (modelVisibility.cubeVisible) {
        glLoadMatrixf(sceneCamera->viewMatrix.m);
        drawModel(*cubeModel);
    }
    if (modelVisibility.sphereVisible) {
        glLoadMatrixf(sceneCamera->viewMatrix.m);
        drawModel(*sphereModel);
    }
    DrawOverlay();
    PlatformSwapBuffers(appWindow.deviceContext);
    MeasureFrame();
}
