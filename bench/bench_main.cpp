// dot3bump-bench [--quick]: the program's frame against its ideal, its floor and a GLSL
// renderer of the same picture, the light-array fill against a memcpy, and the start-up; on UV
// spheres of about 2k, 20k and 64k faces (the most a 3DS mesh holds) and on the shipped scene,
// in an 800x600 4x multisample context of SDL's offscreen driver (Mesa's llvmpipe here).
//
//   A  the frame as it ships (colours and bumps)
//   B  the same OpenGL calls with each light array computed once and kept: A's ideal
//   C  colours only: one texture unit, GL_MODULATE, the same geometry: the floor
//   D  a GLSL per-pixel normal-mapping renderer of the same picture
//   E  the light-array fill alone (allocation, loop, release, as each draw does them), per
//      vertex, beside a memcpy of the bytes the plain per-corner loop reads and writes per
//      vertex (three double axes in, three floats out); Ek the same loop into an array kept
//      from one fill to the next; the page faults per fill
//
// The start-up is the program's own executable, run in a run folder until its first frame and
// timed from outside (startup.h); the headline's figure is the whole over the context and the
// loading together, the two parts no start-up can do without.
//
// Times are medians over rounds that take turns between A, B, C and D, each frame finished
// with glFinish; A/B is the median ratio of neighbouring A and B frames. --quick runs the 2k and
// 64k spheres only.
#include "bench/bench_scene.h"
#include "bench/clock.h"
#include "bench/glsl_frame.h"
#include "bench/scratch_folder.h"
#include "bench/startup.h"
#include "gfx/capabilities.h"
#include "gfx/gl.h"
#include "scene/frame_timer.h"
#include "scene/model.h"
#include "scene/scene.h"
#include "state/app_state.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

struct Size {
    const char* name;
    int bands;  // of the UV sphere that replaces sphere.3ds; 0: the shipped scene, both models
};

const Size kSizes[] = {{"scene", 0}, {"sphere-2k", 24}, {"sphere-20k", 72}, {"sphere-64k", 128}};

double TimeMs(const std::function<void()>& work)
{
    const double start = NowMs();
    work();
    return NowMs() - start;
}

// Back to the first frame's orientation, with no time to turn by.
void RestartSpin()
{
    for (Model* model : {cubeModel, sphereModel}) {
        model->rotation = model->rotationInverse = Matrix4f();
        model->rotationStep = RotationStep();
    }
    frameTimer.elapsedSeconds = 0;
}

// The mean difference per channel between the shipped frame and the GLSL one, in levels.
double GlslDifference()
{
    RestartSpin();
    ShippedFrame();
    const std::string shipped = ReadFrame();
    RestartSpin();
    GlslFrame();
    const std::string glsl = ReadFrame();
    double sum = 0;
    size_t count = 0;
    for (size_t i = 0; i < shipped.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c, ++count)
            sum += std::abs(int(uint8_t(shipped[i + c])) - int(uint8_t(glsl[i + c])));
    }
    return sum / double(count);
}

struct FillTimes {
    double fill = 0;    // ns per vertex: allocation, fill, release, as Draw does them
    double kept = 0;    // the fill alone, into an array kept from one fill to the next
    double memcpy = 0;  // ns per vertex
    double faults = 0;  // page faults per fill as Draw does it, in the steady state
};

long PageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

FillTimes TimeFill(const Model& model)
{
    const Vec3d light = model.LightInModelFrame();
    const size_t vertices = model.vertexCount;
    std::vector<float> keptArray(vertices * 3 + 1);
    const auto drawsFill = [&] {
        auto* vectors = static_cast<float*>(std::malloc(vertices * 12 + 1));
        model.FillLightArray(light, vectors);
        std::free(vectors);
    };
    const size_t bytes = vertices * (3 * 3 * sizeof(double) + 3 * sizeof(float));
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    const auto copyBytes = [&] {
        std::memcpy(to.data(), from.data(), bytes);
        // Keeps the copy from being optimised away.
        if (to[bytes / 2] != 1) std::abort();
    };
    drawsFill();
    copyBytes();
    // Taking turns, so that whatever else the machine does falls on all three alike.
    constexpr int kRepeats = 300;
    std::vector<double> fill, kept, copy;
    long faults = 0;
    for (int i = 0; i < kRepeats; ++i) {
        const long before = PageFaults();
        fill.push_back(TimeMs(drawsFill));
        faults += PageFaults() - before;
        kept.push_back(TimeMs([&] { model.FillLightArray(light, keptArray.data()); }));
        copy.push_back(TimeMs(copyBytes));
    }
    const double faultsPerFill = double(faults) / kRepeats;
    const double perVertex = 1e6 / double(vertices);
    return {Median(fill) * perVertex, Median(kept) * perVertex, Median(copy) * perVertex,
            faultsPerFill};
}

struct Row {
    std::string name;
    uint32_t faces = 0;
    double a = 0, b = 0, c = 0, d = 0;
    double ab = 0;  // the median ratio of neighbouring A and B frames
    double glslDifference = 0;
    FillTimes fill;
};

Row MeasureSize(const Size& size, const std::filesystem::path& root, bool quick)
{
    Row row;
    row.name = size.name;
    const std::filesystem::path folder = WriteRunFolder(root, size.bands);
    if (folder.empty() || !BuildBenchScene(folder)) std::exit(1);
    const bool sphereOnly = size.bands > 0;
    modelVisibility = {!sphereOnly, true};
    row.faces = (sphereOnly ? 0 : cubeModel->vertexCount / 3) + sphereModel->vertexCount / 3;
    if (!PrepareGlslFrame()) std::exit(1);

    renderMode = {true, true};
    row.glslDifference = GlslDifference();

    const int rounds = quick ? 10 : 20;
    const int framesPerRound = 5;
    std::vector<double> a, b, c, d, ab;
    auto run = [&](std::vector<double>& samples, const std::function<void()>& frame) {
        frame();  // the first of a turn pays for the switch
        for (int i = 0; i < framesPerRound; ++i) samples.push_back(TimeMs(frame));
    };
    for (int round = 0; round < rounds; ++round) {
        renderMode = {true, true};
        // A and B make the same calls, so they alternate frame by frame: each ratio compares
        // two neighbouring frames, whatever else the machine does meanwhile.
        for (int i = 0; i < framesPerRound; ++i) {
            a.push_back(TimeMs(ShippedFrame));
            b.push_back(TimeMs(KeptLightFrame));
            ab.push_back(a.back() / b.back());
        }
        run(d, GlslFrame);
        renderMode = {false, true};
        run(c, ShippedFrame);
    }
    renderMode = {true, true};
    row.a = Median(a);
    row.b = Median(b);
    row.ab = Median(ab);
    row.c = Median(c);
    row.d = Median(d);
    row.fill = TimeFill(*sphereModel);
    ReleaseGlslFrame();
    return row;
}

std::string Describe()
{
    std::string cpu = "unknown CPU";
    if (std::FILE* file = std::fopen("/proc/cpuinfo", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, file)) {
            if (std::strncmp(line, "model name", 10) == 0) {
                cpu = std::strchr(line, ':') + 2;
                cpu.erase(cpu.find_last_not_of("\n") + 1);
                break;
            }
        }
        std::fclose(file);
    }
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return std::string(renderer ? renderer : "unknown renderer") + ", " + cpu + ", " +
           std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores";
}

}  // namespace

int main(int argc, char** argv)
{
    const bool quick = argc == 2 && std::strcmp(argv[1], "--quick") == 0;
    if (argc > 1 && !quick) {
        std::fputs("usage: dot3bump-bench [--quick]\n", stderr);
        return 2;
    }
    const std::filesystem::path root = GuardedScratchFolder();
    if (!OpenBenchContext()) return 1;
    std::printf("dot3bump-bench: 800x600, %d-sample frames; %s\n",
                capabilityFlags.multisampleSamples, Describe().c_str());
    std::printf("%-11s %6s %7s %7s %7s %7s %5s %5s %5s %7s %7s %7s %5s %6s %5s\n", "size", "faces",
                "A ms", "B ms", "C ms", "D ms", "A/B", "A/C", "A/D", "E ns/v", "Ek ns/v", "cp ns/v",
                "E/cp", "faults", "D-A");
    double worstAB = 0, worstAD = 0, worstFill = 0;
    for (const Size& size : kSizes) {
        if (quick && size.bands != 24 && size.bands != 128) continue;
        const Row row = MeasureSize(size, root, quick);
        const double fillRatio = row.fill.fill / row.fill.memcpy;
        std::printf(
            "%-11s %6u %7.2f %7.2f %7.2f %7.2f %5.2f %5.2f %5.2f %7.2f %7.2f %7.2f "
            "%5.2f %6.1f %5.2f\n",
            row.name.c_str(), row.faces, row.a, row.b, row.c, row.d, row.ab, row.a / row.c,
            row.a / row.d, row.fill.fill, row.fill.kept, row.fill.memcpy, fillRatio,
            row.fill.faults, row.glslDifference);
        std::fflush(stdout);
        worstAB = std::max(worstAB, row.ab);
        worstAD = std::max(worstAD, row.a / row.d);
        worstFill = std::max(worstFill, fillRatio);
        if (row.glslDifference > 1.0) {
            std::fprintf(stderr,
                         "dot3bump-bench: the GLSL picture differs from the shipped one "
                         "by %.2f levels on average\n",
                         row.glslDifference);
            return 1;
        }
    }
    const std::filesystem::path startupFolder = WriteRunFolder(root, 0);
    if (startupFolder.empty()) return 1;
    const std::optional<StartupTimes> startup = MeasureStartup(startupFolder, quick ? 3 : 7);
    if (!startup) {
        std::fputs("dot3bump-bench: no start-up run reached its first frame: no headline\n",
                   stderr);
        return 1;
    }
    std::printf(
        "startup: first frame %.1f ms: to main() %.1f, context %.1f, graphics start-up %.1f, "
        "loading %.1f, the frame %.1f\n",
        startup->firstFrame, startup->toMain, startup->context, startup->graphics, startup->loading,
        startup->frame);
    std::printf("headline A/B=%.2f A/D=%.2f E/memcpy=%.2f startup=%.2f\n", worstAB, worstAD,
                worstFill, startup->firstFrame / (startup->context + startup->loading));
    return 0;
}
