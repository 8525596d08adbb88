#include "bench/bench_scene.h"

#include "app/fullscreen_window.h"
#include "gfx/graphics_init.h"
#include "scene/camera.h"
#include "scene/frame_driver.h"
#include "scene/model.h"
#include "scene/scene.h"
#include "state/app_state.h"
#include "state/display_settings.h"
#include "tools/file_bytes.h"
#include "tools/generate_files.h"
#include "tools/generate_meshes.h"
#include "tools/write_3ds.h"

#include <SDL.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {

// The light arrays of KeptLightFrame, by model.
std::map<const Model*, std::vector<float>> keptLight;

}  // namespace

bool OpenBenchContext()
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    // SDL would turn SIGINT and SIGTERM into quit events, which the benchmark never reads: it
    // would run on after Ctrl-C.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    displaySettings = DisplaySettings();
    static int instance;
    if (!CreateFullscreenWindow(reinterpret_cast<InstanceHandle>(&instance), SW_SHOWDEFAULT) ||
        !InitGraphics()) {
        std::fprintf(stderr, "dot3bump-bench: no OpenGL context: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

std::filesystem::path WriteRunFolder(const std::filesystem::path& root, int bands)
{
    const std::filesystem::path folder = root / ("sphere-" + std::to_string(bands));
    std::string error;
    std::vector<DataFile> files = MakeDataFiles(&error);
    if (bands > 0) {
        for (DataFile& file : files) {
            if (std::string(file.name) == "sphere.3ds")
                file.bytes = Encode3dsFile(MakeUvSphereMesh(bands), &error);
        }
    }
    std::filesystem::create_directories(folder);
    for (const DataFile& file : files) {
        if (file.bytes.empty() || !WriteFileBytes((folder / file.name).string(), file.bytes)) {
            std::fprintf(stderr, "dot3bump-bench: %s: %s\n", file.name, error.c_str());
            return {};
        }
    }
    return folder;
}

bool BuildBenchScene(const std::filesystem::path& folder)
{
    delete cubeModel;
    delete sphereModel;
    delete sceneCamera;
    cubeModel = sphereModel = nullptr;
    sceneCamera = nullptr;
    keptLight.clear();
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const bool built = BuildScene();
    std::filesystem::current_path(saved);
    StartFrameTimer();
    return built;
}

void ShippedFrame()
{
    RenderFrame();
    glFinish();
}

// Draw's calls with the fill left out: the light is still brought into the model's frame every
// frame, as Draw does.
void DrawWithKeptLight(Model& model)
{
    const Vec3d light = model.LightInModelFrame();
    std::vector<float>& kept = keptLight[&model];
    if (kept.empty()) {
        kept.resize(size_t(model.vertexCount) * 3 + 1);
        model.FillLightArray(light, kept.data());
    }
    model.DrawWithLightArray(kept.data());
}

void KeptLightFrame()
{
    RenderFrame(DrawWithKeptLight);
    glFinish();
}

std::string ReadFrame()
{
    std::string pixels(size_t(800) * 600 * 4, '\0');
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
