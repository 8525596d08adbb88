// dot3bump-stages FOLDER: the pictures of docs/how_it_works.md, each stage of the program's
// per-pixel lighting as the program's own code makes it, written into FOLDER as PNG files. It
// builds the scene from the build's data files and draws in an 800x600 context of SDL's
// offscreen driver, as the benchmark does; the models stand in one pose, so each run makes the
// same pictures on the same driver.
#include "app/fullscreen_window.h"
#include "assets/bitmap_image.h"
#include "assets/normalization_cube_map.h"
#include "gfx/capabilities.h"
#include "gfx/cube_map_texture.h"
#include "gfx/graphics_init.h"
#include "gfx/hud_font.h"
#include "scene/frame_driver.h"
#include "scene/model.h"
#include "scene/scene.h"
#include "state/app_state.h"
#include "state/app_window.h"
#include "state/display_settings.h"

#include <SDL.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// R, G, B rows, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    uint8_t* At(int x, int y) { return &pixels[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
};

Picture Blank(int width, int height)
{
    return {width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 3)};
}

// An 8-bit RGB PNG: each row behind filter byte 0, deflated by zlib.
bool WritePng(const Picture& picture, const std::filesystem::path& path)
{
    std::vector<uint8_t> rows;
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(0);
        const auto* row = &picture.pixels[size_t(y) * size_t(picture.width) * 3];
        rows.insert(rows.end(), row, row + size_t(picture.width) * 3);
    }
    uLongf size = compressBound(uLong(rows.size()));
    std::vector<uint8_t> deflated(size);
    if (compress2(deflated.data(), &size, rows.data(), uLong(rows.size()), 9) != Z_OK) return false;
    deflated.resize(size);
    std::ofstream out(path, std::ios::binary);
    const auto word = [&](uint32_t v) {
        const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        out.write(bytes, 4);
    };
    const auto chunk = [&](const char* type, const std::vector<uint8_t>& data) {
        word(uint32_t(data.size()));
        std::vector<uint8_t> typed(type, type + 4);
        typed.insert(typed.end(), data.begin(), data.end());
        out.write(reinterpret_cast<const char*>(typed.data()), std::streamsize(typed.size()));
        word(uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
    };
    out.write("\x89PNG\r\n\x1a\n", 8);
    const auto w = uint32_t(picture.width), h = uint32_t(picture.height);
    chunk("IHDR", {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w),
                   uint8_t(h >> 24), uint8_t(h >> 16), uint8_t(h >> 8), uint8_t(h), 8, 2, 0, 0, 0});
    chunk("IDAT", deflated);
    chunk("IEND", {});
    return bool(out);
}

// The bitmap as the program loads it, top row first.
Picture LoadedBitmap(const char* file)
{
    char message[256];
    RgbImage* image = ReadBitmapImage(file, message);
    if (!image) return {};
    Picture picture = Blank(image->width, image->height);
    for (int y = 0; y < image->height; ++y)
        std::copy_n(image->pixels + size_t(image->height - 1 - y) * size_t(image->width) * 3,
                    size_t(image->width) * 3, picture.At(0, y));
    std::free(image->pixels);
    delete image;
    return picture;
}

// The normal map, then each of its channels as a grey picture: red, green, blue.
Picture NormalMapAndChannels(const Picture& map)
{
    Picture out = Blank(map.width * 4, map.height);
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            const uint8_t* p = &map.pixels[(size_t(y) * size_t(map.width) + size_t(x)) * 3];
            std::copy_n(p, 3, out.At(x, y));
            for (int c = 0; c < 3; ++c) std::fill_n(out.At((c + 1) * map.width + x, y), 3, p[c]);
        }
    return out;
}

// The framebuffer, top row first.
Picture ReadFramebuffer(int width = 800, int height = 600)
{
    Picture picture = Blank(width, height);
    std::vector<uint8_t> bottomUp(picture.pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[size_t(height - 1 - y) * size_t(width) * 3], size_t(width) * 3,
                    picture.At(0, y));
    return picture;
}

// The six faces of the normalization cube map unfolded as a cross (-X, +Z, +X, -Z across, +Y
// above +Z, -Y below it), each face as it is stored (texel coordinate s to the right, t
// downward) and labelled with its axis in the overlay's font.
Picture CubeMapCross()
{
    constexpr int kScale = 4;
    constexpr int kSide = kCubeMapSize * kScale;
    // Where each face goes, in the order of FillNormalizationCubeMapFace: +X, -X, +Y, -Y, +Z, -Z.
    const int places[6][2] = {{2, 1}, {0, 1}, {1, 0}, {1, 2}, {1, 1}, {3, 1}};
    const char* const names[6] = {"+X", "-X", "+Y", "-Y", "+Z", "-Z"};
    Picture cross = Blank(4 * kSide, 3 * kSide);
    std::vector<uint8_t> face(kCubeMapFaceBytes);
    for (int f = 0; f < 6; ++f) {
        FillNormalizationCubeMapFace(f, face.data());
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                std::copy_n(&face[(size_t(y / kScale) * kCubeMapSize + size_t(x / kScale)) * 3], 3,
                            cross.At(places[f][0] * kSide + x, places[f][1] * kSide + y));
    }
    // Drawn in window pixels from the top left, the labels over it, and read back.
    std::vector<uint8_t> bottomUp;
    for (int y = cross.height - 1; y >= 0; --y)
        bottomUp.insert(bottomUp.end(), cross.At(0, y), cross.At(0, y) + cross.width * 3);
    glDisable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 800, 600, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2i(0, cross.height);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(cross.width, cross.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    glColor3f(0, 0, 0);
    for (int f = 0; f < 6; ++f) {
        glRasterPos2i(places[f][0] * kSide + 4, places[f][1] * kSide + 16);
        DrawHudText(names[f]);
    }
    glColor3f(1, 1, 1);  // the colour every other draw expects
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    const Picture read = ReadFramebuffer();
    for (int y = 0; y < cross.height; ++y)
        std::copy_n(read.pixels.begin() + ptrdiff_t(y) * 800 * 3, cross.width * 3, cross.At(0, y));
    return cross;
}

// Not a draw the program makes: each vertex's light vector (the array unit 1 reads) looked up in
// the normalization cube map and shown as it is, without the normal map or the colours.
void DrawLightVectors(Model& model)
{
    model.PlaceForDraw();
    std::vector<float> light(size_t(model.vertexCount) * 3);
    model.FillLightArray(model.LightInModelFrame(), light.data());
    glEnableClientState(GL_VERTEX_ARRAY);
    glExtensionEntryPoints.glBindBufferARB(GL_ARRAY_BUFFER_ARB, model.bufferNames[0]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glExtensionEntryPoints.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(3, GL_FLOAT, 0, light.data());
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_CUBE_MAP_ARB);
    glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, cubeMapTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(model.vertexCount));
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_CUBE_MAP_ARB);
    glEnable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// One frame of the program, the models as they stand (the spin of a frame of no time), with the
// given models and passes, read back before anything else is drawn.
Picture Frame(
    bool cube, bool sphere, bool bumps, bool colours,
    DrawModelFunction draw = [](Model& model) { model.Draw(); })
{
    modelVisibility = {cube, sphere};
    renderMode = {bumps, colours};
    frameTimer.elapsedSeconds = 0.0f;
    frameTimer.fps = 0;
    RenderFrame(draw);
    return ReadFramebuffer();
}

// The sphere's part of two pictures, side by side.
Picture SideBySide(const Picture& left, const Picture& right)
{
    constexpr int kLeft = 480, kTop = 160, kWidth = 260, kHeight = 280;
    Picture out = Blank(2 * kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        std::copy_n(&left.pixels[(size_t(kTop + y) * 800 + kLeft) * 3], kWidth * 3, out.At(0, y));
        std::copy_n(&right.pixels[(size_t(kTop + y) * 800 + kLeft) * 3], kWidth * 3,
                    out.At(kWidth, y));
    }
    return out;
}

GLuint FlatNormalMap()
{
    std::vector<uint8_t> flat(64 * 64 * 3);
    for (size_t i = 0; i < flat.size(); i += 3) flat[i] = 128, flat[i + 1] = 128, flat[i + 2] = 255;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, flat.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: dot3bump-stages FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
    std::filesystem::create_directories(folder);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    displaySettings = DisplaySettings();
    static int instance;
    std::filesystem::current_path(DOT3BUMP_RUN_DIR);  // the build's data files
    if (!CreateFullscreenWindow(reinterpret_cast<InstanceHandle>(&instance), SW_SHOWDEFAULT) ||
        !InitGraphics() || !BuildScene()) {
        std::fprintf(stderr, "dot3bump-stages: no scene: %s\n", SDL_GetError());
        return 1;
    }
    StartFrameTimer();
    // The pose: the spin of the program's first 1.6 seconds, turned in one step.
    SetRotationSteps(1.6f, cubeModel->rotationStep, sphereModel->rotationStep);
    cubeModel->Rotate();
    sphereModel->Rotate();

    const Picture normalMap = LoadedBitmap("map_normal.bmp");
    const Picture real = Frame(false, true, true, true);
    const GLuint loadedMap = sphereModel->normalMapTexture;
    sphereModel->normalMapTexture = FlatNormalMap();
    const Picture flat = Frame(false, true, true, true);
    sphereModel->normalMapTexture = loadedMap;
    const std::pair<const char*, Picture> pictures[] = {
        {"texture.png", LoadedBitmap("tex.bmp")},
        {"normal_map.png", NormalMapAndChannels(normalMap)},
        {"cube_map.png", CubeMapCross()},
        {"light_vectors.png", Frame(false, true, true, false, DrawLightVectors)},
        {"bumps.png", Frame(true, true, true, false)},
        {"colours.png", Frame(true, true, false, true)},
        {"finished.png", Frame(true, true, true, true)},
        {"flat_and_real.png", SideBySide(flat, real)},
    };
    for (const auto& [name, picture] : pictures) {
        if (picture.pixels.empty() || !WritePng(picture, folder / name)) {
            std::fprintf(stderr, "dot3bump-stages: %s could not be made\n", name);
            return 1;
        }
        std::printf("%s\n", (folder / name).c_str());
    }
    SDL_Quit();
    return 0;
}
