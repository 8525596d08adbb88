#include "bench/startup.h"

#include "app/display_settings.h"
#include "app/fullscreen_window.h"
#include "assets/bitmap_image.h"
#include "bench/clock.h"
#include "gfx/cube_map_texture.h"
#include "gfx/graphics_init.h"
#include "scene/frame_driver.h"
#include "scene/model.h"
#include "scene/scene.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// The parts of the scene's loading, done once more apart after the first frame, with the files
// in the system's cache as they were the first time (the benchmark has just written them).
void PrintParts()
{
    const Matrix4f identity;
    double start = NowMs();
    Model cube("cube.3ds", identity.m, identity.m, &cubeMapTexture);
    Model sphere("sphere.3ds", identity.m, identity.m, &cubeMapTexture);
    std::printf("modelFiles %f\n", NowMs() - start);

    start = NowMs();
    std::vector<RgbImage*> images;
    char message[kImageMessageSize];
    for (const char* name : {"tex.bmp", "map_normal.bmp", "tex.bmp", "map_normal.bmp"})
        images.push_back(ReadBitmapImage(name, message));
    std::printf("bitmapFiles %f\n", NowMs() - start);

    start = NowMs();
    cube.PrepareMesh();
    sphere.PrepareMesh();
    std::printf("meshes %f\n", NowMs() - start);

    // The calls of Model::LoadTexture after the file is read.
    start = NowMs();
    for (RgbImage* image : images) {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, image->width, image->height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, image->pixels);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        std::free(image->pixels);
        delete image;
    }
    glFinish();
    std::printf("textures %f\n", NowMs() - start);
}

}  // namespace

int RunStartup(const std::filesystem::path& folder)
{
    std::filesystem::current_path(folder);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    std::printf("main %f\n", NowMs());
    // WinMain's start-up, step by step.
    static int instance;
    ReadDisplaySettings();
    double start = NowMs();
    if (!CreateFullscreenWindow(reinterpret_cast<InstanceHandle>(&instance), SW_SHOWDEFAULT))
        return 1;
    std::printf("context %f\n", NowMs() - start);
    start = NowMs();
    if (!InitGraphics()) return 2;
    std::printf("graphics %f\n", NowMs() - start);
    start = NowMs();
    if (!BuildScene()) return 3;
    std::printf("loading %f\n", NowMs() - start);
    StartFrameTimer();
    start = NowMs();
    RenderFrame();
    glFinish();
    std::printf("frame %f\n", NowMs() - start);
    std::printf("firstFrame %f\n", NowMs());
    PrintParts();
    return 0;
}

StartupTimes MeasureStartup(const char* self, const std::filesystem::path& folder, int runs)
{
    std::map<std::string, std::vector<double>> samples;
    for (int run = 0; run < runs; ++run) {
        const std::filesystem::path output = folder / "startup.txt";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        const std::string folderText = folder.string();
        char* argv[] = {const_cast<char*>(self), const_cast<char*>("--startup"),
                        const_cast<char*>(folderText.c_str()), nullptr};
        pid_t child = 0;
        const double spawned = NowMs();
        const bool started = posix_spawn(&child, self, &actions, nullptr, argv, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        if (!started || waitpid(child, &status, 0) != child || status != 0) {
            std::fprintf(stderr, "dot3bump-bench: the start-up run failed (status %d)\n", status);
            continue;
        }
        std::FILE* file = std::fopen(output.c_str(), "r");
        char name[32];
        double value = 0;
        while (file && std::fscanf(file, "%31s %lf", name, &value) == 2) {
            const std::string key = name;
            samples[key].push_back(key == "firstFrame" || key == "main" ? value - spawned : value);
        }
        if (file) std::fclose(file);
    }
    StartupTimes times;
    times.firstFrame = Median(samples["firstFrame"]);
    times.toMain = Median(samples["main"]);
    times.frame = Median(samples["frame"]);
    times.context = Median(samples["context"]);
    times.graphics = Median(samples["graphics"]);
    times.loading = Median(samples["loading"]);
    times.modelFiles = Median(samples["modelFiles"]);
    times.bitmapFiles = Median(samples["bitmapFiles"]);
    times.meshes = Median(samples["meshes"]);
    times.textures = Median(samples["textures"]);
    return times;
}
