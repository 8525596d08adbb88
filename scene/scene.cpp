#include "scene/scene.h"

#include "gfx/capabilities.h"
#include "gfx/cube_map_texture.h"
#include "scene/camera.h"
#include "scene/model.h"
#include "state/app_window.h"

#include <string>

Model* cubeModel = nullptr;
Model* sphereModel = nullptr;
Camera* sceneCamera = nullptr;
const Vec3d lightPosition{0.0, 0.0, 1.0};

namespace {

struct ModelSetup {
    const char* fileName;
    float tilt;   // degrees about X
    float scale;  // uniform
    Vec3d position;
};

// The cube tilted towards the viewer on the left; the sphere with its +Z axis turned up, on the
// right; 0.035 scene units apart.
const ModelSetup kCube{"cube.3ds", 30.0f, 0.0008f, {-0.015, 0.0, 0.0}};
const ModelSetup kSphere{"sphere.3ds", -90.0f, 0.0004f, {0.02, 0.0, 0.0}};

void ReportSceneError(const std::string& text)
{
    PlatformMessageBox(appWindow.window, text.c_str(), "Error", MB_ICONERROR);
}

// baseMatrix scales, then tilts; baseInverse undoes the tilt only.
void ComposeBaseMatrices(const ModelSetup& setup, Matrix4f& base, Matrix4f& inverse)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(setup.tilt, 1.0f, 0.0f, 0.0f);
    glScalef(setup.scale, setup.scale, setup.scale);
    glGetFloatv(GL_MODELVIEW_MATRIX, base.m);
    glLoadIdentity();
    glRotatef(-setup.tilt, 1.0f, 0.0f, 0.0f);
    glGetFloatv(GL_MODELVIEW_MATRIX, inverse.m);
    glPopMatrix();
}

// Each model loads its own copies of both bitmaps. The bitmap loader shows its own message.
Model* BuildModel(const ModelSetup& setup)
{
    Matrix4f base, inverse;
    ComposeBaseMatrices(setup, base, inverse);
    auto* model = new Model(setup.fileName, base.m, inverse.m, &cubeMapTexture);
    if (!model->file) {
        ReportSceneError(model->fileError);
        return model;
    }
    if (!model->LoadTexture("tex.bmp", 0) || !model->LoadTexture("map_normal.bmp", 1)) return model;
    if (!model->PrepareMesh()) {
        ReportSceneError(std::string(setup.fileName) + ": " + model->fileError);
        return model;
    }
    *model->worldPosition = setup.position;
    return model;
}

bool IsComplete(const Model* model) { return model->bufferCount == 2; }

}  // namespace

bool BuildScene()
{
    // A driver without cube maps refuses the target with an OpenGL error; nothing would sample
    // the map there anyway, since bump mapping needs it.
    if (capabilityFlags.textureCubeMap) BuildNormalizationCubeMap();
    cubeModel = BuildModel(kCube);
    if (!IsComplete(cubeModel)) return false;
    sphereModel = BuildModel(kSphere);
    if (!IsComplete(sphereModel)) return false;
    sceneCamera = new Camera({0.0, 0.0, 0.07}, {0.0, 0.0, -1.0}, {0.0, 1.0, 0.0});
    return true;
}
