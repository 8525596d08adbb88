// The scene on a real context: construction, the spin, the light and the state each draw leaves.
#include "scene/scene.h"
#include "gfx/bitmap_load.h"
#include "gfx/capabilities.h"
#include "gfx/cube_map_texture.h"
#include "gfx/render_state.h"
#include "scene/camera.h"
#include "scene/model.h"
#include "state/app_state.h"
#include "tests/gl/gl_context_fixture.h"
#include "tests/unique_temp_path.h"
#include "tools/file_bytes.h"
#include "tools/generate_meshes.h"
#include "tools/write_3ds.h"

#include <cfloat>
#include <cmath>
#include <filesystem>

namespace {

class SceneTest : public GlTest {
protected:
    static void SetUpTestSuite()
    {
        // The program opens its data files by bare name from its run folder.
        const auto saved = std::filesystem::current_path();
        std::filesystem::current_path(DOT3BUMP_RUN_DIR);
        ASSERT_TRUE(DetectCapabilities());
        SetRenderState();
        built = BuildScene();
        std::filesystem::current_path(saved);
    }

    void SetUp() override
    {
        GlTest::SetUp();
        ASSERT_TRUE(built);
        SetRenderState();  // the program's projection, which GlTest resets
        renderMode = RenderMode();
    }

    static GLint Integer(GLenum name)
    {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    }

    static GLint Env(GLenum name)
    {
        GLint value = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, name, &value);
        return value;
    }

    static void SelectUnit(int unit)
    {
        glExtensionEntryPoints.glActiveTextureARB(GLenum(GL_TEXTURE0_ARB + unit));
        glExtensionEntryPoints.glClientActiveTextureARB(GLenum(GL_TEXTURE0_ARB + unit));
    }

    static inline bool built = false;
};

void ExpectNear(const Vec3d& actual, double x, double y, double z, double tolerance)
{
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

}  // namespace

TEST_F(SceneTest, BuildsBothModelsTheirBuffersAndTheCamera)
{
    for (const Model* model : {cubeModel, sphereModel}) {
        EXPECT_NE(model->file, nullptr);
        EXPECT_EQ(model->bufferCount, 2);
        EXPECT_GT(model->vertexCount, 0u);
        EXPECT_NE(model->colorTexture, model->normalMapTexture);
        EXPECT_EQ(model->cubeMap, cubeModel->cubeMap);
    }
    EXPECT_NE(cubeModel->colorTexture, sphereModel->colorTexture);  // each loads its own copy
    EXPECT_EQ(cubeModel->worldPosition->x, -0.015);
    EXPECT_EQ(sphereModel->worldPosition->x, 0.02);
    // The cube's base maps (0, 0, 1000) to about (0, -0.4, 0.69), the sphere's to (0, 0.4, 0).
    ExpectNear(TransformPoint(cubeModel->baseMatrix, {0, 0, 1000}), 0, -0.4, 0.6928203, 1e-6);
    ExpectNear(TransformPoint(sphereModel->baseMatrix, {0, 0, 1000}), 0, 0.4, 0, 1e-6);
    Matrix4f view = sceneCamera->viewMatrix;
    EXPECT_FLOAT_EQ(view[14], -0.07f);
    view[14] = 0.0f;
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(view[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}

TEST_F(SceneTest, FirstFrameLightVectorsInEachModelsFrame)
{
    ExpectNear(cubeModel->LightInModelFrame(), 0.015, 0.5, 0.8660254, 1e-6);
    ExpectNear(sphereModel->LightInModelFrame(), -0.02, -1.0, 0.0, 1e-6);
}

TEST_F(SceneTest, RotateKeepsTheInverseExactOverThousandsOfSteps)
{
    const RotationStep steps[] = {
        {0.0f, 0.37f, 0.55f}, {0.21f, 0.43f, 0.0f}, {0.31f, 0.17f, 0.29f}};
    for (const RotationStep& step : steps) {
        Model& model = *cubeModel;
        model.rotation = model.rotationInverse = Matrix4f();
        const Matrix4f startRotation = model.rotation;
        constexpr int kFrames = 5000;
        for (int frame = 0; frame < kFrames; ++frame) {
            model.rotationStep = step;
            model.Rotate();
        }
        EXPECT_NE(model.rotation[0], startRotation[0]);
        // rotationInverse x rotation, column-major. Neither matrix is ever re-orthonormalised,
        // so rounding accumulates; it must stay below half a float epsilon per step.
        const double tolerance = kFrames * 0.5 * double(FLT_EPSILON);
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                double sum = 0;
                for (int k = 0; k < 4; ++k)
                    sum += double(model.rotationInverse[k * 4 + row]) *
                           double(model.rotation[column * 4 + k]);
                EXPECT_NEAR(sum, row == column ? 1.0 : 0.0, tolerance) << row << "," << column;
            }
        }
    }
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(SceneTest, EachDrawLeavesTheTextureStateItPromises)
{
    struct Case {
        const char* name;
        RenderMode mode;
        bool bumpMapping;  // whether the driver offers the Dot3 path
    };
    const Case cases[] = {{"colours and bumps", {true, true}, true},
                          {"bumps only", {true, false}, true},
                          {"colours only", {false, true}, true},
                          {"bumps only, on a driver without Dot3", {true, false}, false}};
    ASSERT_TRUE(capabilityFlags.bumpMapping);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        renderMode = c.mode;
        capabilityFlags.bumpMapping = c.bumpMapping;
        const bool dot3 = c.bumpMapping && c.mode.bumpPass;
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(sceneCamera->viewMatrix.m);
        cubeModel->rotationStep = {1, 2, 3};
        cubeModel->Draw();
        EXPECT_EQ(cubeModel->rotationStep.z, 0.0f);

        EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
        EXPECT_EQ(Integer(GL_CLIENT_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
        EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING_ARB), 0);
        EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D),
                  GLint(dot3 ? cubeModel->normalMapTexture : cubeModel->colorTexture));
        EXPECT_EQ(Env(GL_TEXTURE_ENV_MODE), GL_MODULATE);
        EXPECT_EQ(bool(glIsEnabled(GL_TEXTURE_COORD_ARRAY)), dot3);

        SelectUnit(1);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP_ARB));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
        if (dot3) {
            EXPECT_EQ(Env(GL_TEXTURE_ENV_MODE), GL_COMBINE_ARB);
            EXPECT_EQ(Env(GL_COMBINE_RGB_ARB), GL_DOT3_RGB_ARB);
            EXPECT_EQ(Env(GL_SOURCE1_RGB_ARB), GL_PREVIOUS_ARB);
        }
        SelectUnit(2);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
        SelectUnit(0);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
    capabilityFlags.bumpMapping = true;
}

namespace {

// The value GL_ARB_texture_env_dot3 defines for two colours in 0..1.
double Dot3(const double* a, const double* b)
{
    const double d = 4.0 * ((a[0] - 0.5) * (b[0] - 0.5) + (a[1] - 0.5) * (b[1] - 0.5) +
                            (a[2] - 0.5) * (b[2] - 0.5));
    return std::min(1.0, std::max(0.0, d));
}

}  // namespace

TEST_F(SceneTest, CombinedPixelsMatchTheDot3FormulaComputedFromTheTexels)
{
    Model& cube = *cubeModel;
    cube.rotation = cube.rotationInverse = Matrix4f();  // the first frame's orientation
    const auto DrawCubeAndRead = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(sceneCamera->viewMatrix.m);
        cube.Draw();
        return ReadFramebuffer();
    };
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(DOT3BUMP_RUN_DIR);
    RgbImage* normalMap = LoadBitmapImage("map_normal.bmp");
    RgbImage* colors = LoadBitmapImage("tex.bmp");
    std::filesystem::current_path(saved);
    ASSERT_TRUE(normalMap && colors);
    ASSERT_LE(normalMap->width, 256);
    ASSERT_EQ(normalMap->width, colors->width);

    // Pass 1: where each pixel samples the textures, from a texture that holds its own texel
    // coordinates (red = column, green = row), drawn unlit and unfiltered.
    std::vector<uint8_t> coordinates(size_t(normalMap->width) * normalMap->height * 3);
    for (int y = 0; y < normalMap->height; ++y)
        for (int x = 0; x < normalMap->width; ++x) {
            coordinates[(size_t(y) * normalMap->width + x) * 3] = uint8_t(x);
            coordinates[(size_t(y) * normalMap->width + x) * 3 + 1] = uint8_t(y);
        }
    GLuint coordinateTexture = 0;
    glGenTextures(1, &coordinateTexture);
    glBindTexture(GL_TEXTURE_2D, coordinateTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, normalMap->width, normalMap->height, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, coordinates.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    const GLuint colorTexture = cube.colorTexture;
    cube.colorTexture = coordinateTexture;
    glColor3f(1, 1, 1);
    renderMode = {false, true};
    const std::vector<uint8_t> texelAt = DrawCubeAndRead();
    cube.colorTexture = colorTexture;

    // Pass 2: the real thing.
    renderMode = {true, true};
    const std::vector<uint8_t> lit = DrawCubeAndRead();

    // The face that looks at the camera: its normal, tilted by the base matrix, points most
    // along +z. Its corners share one basis and L is the same for all, so s, t, r are constant
    // across it, and the cube map returns their direction.
    const VertexRecord* front = &cube.vertexRecords[0];
    for (uint32_t i = 0; i < cube.vertexCount; i += 3) {
        const auto z = [&](const VertexRecord& r) {
            return cube.baseMatrix[2] * r.axisR.x + cube.baseMatrix[6] * r.axisR.y +
                   cube.baseMatrix[10] * r.axisR.z;
        };
        if (z(cube.vertexRecords[i]) > z(*front)) front = &cube.vertexRecords[i];
    }
    const Vec3d light = cube.LightInModelFrame();
    Vec3d str{light.x * front->axisS.x + light.y * front->axisS.y + light.z * front->axisS.z,
              light.x * front->axisT.x + light.y * front->axisT.y + light.z * front->axisT.z,
              light.x * front->axisR.x + light.y * front->axisR.y + light.z * front->axisR.z};
    NormalizeVec3(str);
    const double lookup[3] = {str.x * 0.5 + 0.5, str.y * 0.5 + 0.5, str.z * 0.5 + 0.5};

    // The centre of that face on the screen.
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(sceneCamera->viewMatrix.m);
    glTranslated(cube.worldPosition->x, cube.worldPosition->y, cube.worldPosition->z);
    glMultMatrixf(cube.baseMatrix.m);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    Vec3d centre;
    for (int k = 0; k < 3; ++k) {
        centre.x += front[k].position.x / 3;
        centre.y += front[k].position.y / 3;
        centre.z += front[k].position.z / 3;
    }
    GLdouble wx, wy, wz;
    ASSERT_TRUE(
        gluProject(centre.x, centre.y, centre.z, model, projection, viewport, &wx, &wy, &wz));

    const auto texel = [](const RgbImage* image, int x, int y, int c) {
        return image->pixels[(size_t(y) * image->width + x) * 3 + c];
    };
    int compared = 0, worst = 0;
    for (int py = int(wy) - 12; py <= int(wy) + 12; ++py) {
        for (int px = int(wx) - 12; px <= int(wx) + 12; ++px) {
            const size_t i = (size_t(py) * 800 + px) * 4;
            const int tx = texelAt[i], ty = texelAt[i + 1];
            // Filtering blends neighbouring texels: compare only where the normal map is the same
            // in the 3x3 texels around, and bound the colour by its neighbourhood's extremes.
            bool uniform =
                tx > 0 && ty > 0 && tx + 1 < normalMap->width && ty + 1 < normalMap->height;
            int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
            for (int dy = -1; uniform && dy <= 1; ++dy)
                for (int dx = -1; uniform && dx <= 1; ++dx)
                    for (int c = 0; c < 3; ++c) {
                        uniform = uniform && texel(normalMap, tx + dx, ty + dy, c) ==
                                                 texel(normalMap, tx, ty, c);
                        low[c] = std::min<int>(low[c], texel(colors, tx + dx, ty + dy, c));
                        high[c] = std::max<int>(high[c], texel(colors, tx + dx, ty + dy, c));
                    }
            if (!uniform) continue;
            const double normal[3] = {texel(normalMap, tx, ty, 0) / 255.0,
                                      texel(normalMap, tx, ty, 1) / 255.0,
                                      texel(normalMap, tx, ty, 2) / 255.0};
            const double lighting = Dot3(lookup, normal);
            for (int c = 0; c < 3; ++c) {
                const double below = lighting * low[c] - lit[i + c];
                const double above = lit[i + c] - lighting * high[c];
                worst = std::max(worst, int(std::lround(std::max({below, above, 0.0}))));
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 50);
    // A few levels: the cube map's 8-bit texels and their filtering, and the combiners' rounding.
    EXPECT_LE(worst, 6);
    glDeleteTextures(1, &coordinateTexture);
    std::free(normalMap->pixels);
    std::free(colors->pixels);
    delete normalMap;
    delete colors;
}

// The draw computes each triangle's light vector once, from the triangles' packed bases: its
// pictures must be, byte for byte, those of the plain computation for every corner, on the
// shipped models and on a sphere of 65,024 faces.
TEST_F(SceneTest, LightArrayOncePerTriangleDrawsThePlainPictureByteForByte)
{
    const auto saved = std::filesystem::current_path();
    const std::filesystem::path folder = UniqueTempPath("dot3bump_64k");
    std::filesystem::create_directories(folder);
    std::string error;
    ASSERT_TRUE(WriteFileBytes((folder / "sphere.3ds").string(),
                               Encode3dsFile(MakeUvSphereMesh(128), &error)))
        << error;
    Model big((folder / "sphere.3ds").string().c_str(), sphereModel->baseMatrix.m,
              sphereModel->baseInverse.m, &cubeMapTexture);
    std::filesystem::current_path(DOT3BUMP_RUN_DIR);
    ASSERT_TRUE(big.LoadTexture("tex.bmp", 0) && big.LoadTexture("map_normal.bmp", 1));
    std::filesystem::current_path(saved);
    ASSERT_TRUE(big.PrepareMesh()) << big.fileError;
    ASSERT_EQ(big.vertexCount, 3u * 65024);
    *big.worldPosition = *sphereModel->worldPosition;
    big.rotationStep = {21.0f, 34.0f, 55.0f};
    big.Rotate();

    // The light array the plain way: allocated for this draw, computed for every corner from its
    // own record.
    const auto drawPerCorner = [](Model& model) {
        const Vec3d l = model.LightInModelFrame();
        std::vector<float> vectors(size_t(model.vertexCount) * 3);
        for (uint32_t i = 0; i < model.vertexCount; ++i) {
            const VertexRecord& r = model.vertexRecords[i];
            vectors[3 * i] = float(l.x * r.axisS.x + l.y * r.axisS.y + l.z * r.axisS.z);
            vectors[3 * i + 1] = float(l.x * r.axisT.x + l.y * r.axisT.y + l.z * r.axisT.z);
            vectors[3 * i + 2] = float(l.x * r.axisR.x + l.y * r.axisR.y + l.z * r.axisR.z);
        }
        glLoadMatrixf(sceneCamera->viewMatrix.m);
        model.DrawWithLightArray(vectors.data());
        return ReadFramebuffer();
    };
    for (Model* model : {cubeModel, sphereModel, &big}) {
        SCOPED_TRACE(model->vertexCount);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const std::vector<uint8_t> plain = drawPerCorner(*model);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadMatrixf(sceneCamera->viewMatrix.m);
        model->Draw();
        EXPECT_TRUE(ReadFramebuffer() == plain);
    }
    std::filesystem::remove_all(folder);
}

// The seam hands its array to OpenGL as a client array: a null one must draw nothing rather than
// have the driver read address 0.
TEST_F(SceneTest, DrawWithoutALightArrayDrawsNothing)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const std::vector<uint8_t> cleared = ReadFramebuffer();
    glLoadMatrixf(sceneCamera->viewMatrix.m);
    cubeModel->DrawWithLightArray(nullptr);
    EXPECT_TRUE(ReadFramebuffer() == cleared);
}
