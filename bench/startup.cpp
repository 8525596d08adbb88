#include "bench/startup.h"

#include "bench/clock.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// What the probe notes, in the order they come: each part of the start-up runs from the moment
// before it (the spawn, for the first) to its own.
constexpr size_t kMomentCount = 5;
const char* const kMoments[kMomentCount] = {"main", "context", "loading", "frame", "firstFrame"};
using Moments = std::array<double, kMomentCount>;  // ms from the spawn

// The benchmark's own environment but for SDL's offscreen driver, the probe and the file it
// writes, and a folder of settings with none in it, for the user's and for the system's (the
// manual page tells administrators of /etc/xdg): the program takes the default mode, as the
// benchmark's frames do.
std::vector<std::string> ProgramEnvironment(const std::filesystem::path& folder,
                                            const std::filesystem::path& times)
{
    std::vector<std::string> environment = {
        "SDL_VIDEODRIVER=offscreen", std::string("LD_PRELOAD=") + DOT3BUMP_STARTUP_PROBE,
        "XDG_CONFIG_HOME=" + folder.string(), "XDG_CONFIG_DIRS=" + folder.string(),
        "DOT3BUMP_STARTUP_TIMES=" + times.string()};
    const size_t ours = environment.size();
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('=') + 1);
        if (std::none_of(environment.begin(), environment.begin() + ours,
                         [&](const std::string& set) { return set.rfind(name, 0) == 0; }))
            environment.push_back(text);
    }
    return environment;
}

bool ReadMoments(const std::filesystem::path& times, double spawned, Moments* moments)
{
    std::FILE* file = std::fopen(times.c_str(), "r");
    if (!file) return false;
    char name[32];
    double value = 0;
    size_t count = 0;
    while (count < kMomentCount && std::fscanf(file, "%31s %lf", name, &value) == 2 &&
           std::strcmp(name, kMoments[count]) == 0)
        (*moments)[count++] = value - spawned;
    std::fclose(file);
    // Out of order, the moments would not be the program's steps the probe takes them for.
    return count == kMomentCount && moments->front() > 0 &&
           std::is_sorted(moments->begin(), moments->end());
}

// Waits for the program to end, for 30 s at the most: a program that never reaches the frame the
// probe waits for would otherwise run on for ever. Killed then. No limit where the kernel has no
// pidfd_open.
bool WaitForProgram(pid_t child, int* status)
{
    // NOTE: glibc 2.36's <sys/pidfd.h> declares pidfd_open without C linkage.
    const int handle = int(syscall(SYS_pidfd_open, child, 0));
    pollfd ended = {handle, POLLIN, 0};
    const bool inTime = handle < 0 || poll(&ended, 1, 30000) == 1;
    if (handle >= 0) close(handle);
    if (!inTime) {
        std::fputs("dot3bump-bench: the start-up run did not end within 30 s\n", stderr);
        kill(child, SIGKILL);
    }
    return waitpid(child, status, 0) == child && inTime;
}

// One run of the program in `folder`, which the probe asks to quit after its first frame. False,
// with the reason on stderr, when it did not reach that frame or did not then end with exit
// code 0.
bool RunProgram(const std::filesystem::path& folder, char* const* environment,
                const std::filesystem::path& times, Moments* moments)
{
    std::error_code ignored;
    std::filesystem::remove(times, ignored);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    char* argv[] = {const_cast<char*>(DOT3BUMP_PROGRAM), nullptr};
    pid_t child = 0;
    const double spawned = NowMs();
    const int error = posix_spawn(&child, DOT3BUMP_PROGRAM, &actions, nullptr, argv, environment);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::fprintf(stderr, "dot3bump-bench: the start-up run failed: %s\n", std::strerror(error));
        return false;
    }
    int status = 0;
    if (!WaitForProgram(child, &status)) return false;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "dot3bump-bench: the start-up run failed (%s %d)\n",
                     WIFSIGNALED(status) ? "signal" : "exit code",
                     WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
        return false;
    }
    if (!ReadMoments(times, spawned, moments)) {
        std::fprintf(stderr, "dot3bump-bench: the start-up run noted no first frame\n");
        return false;
    }
    return true;
}

}  // namespace

std::optional<StartupTimes> MeasureStartup(const std::filesystem::path& folder, int runs)
{
    const std::filesystem::path times = folder / "startup.txt";
    std::vector<std::string> environment = ProgramEnvironment(folder, times);
    std::vector<char*> pointers;
    for (std::string& entry : environment) pointers.push_back(entry.data());
    pointers.push_back(nullptr);

    std::array<std::vector<double>, kMomentCount> parts;
    std::vector<double> firstFrames;
    for (int run = 0; run < runs; ++run) {
        Moments at{};
        if (!RunProgram(folder, pointers.data(), times, &at)) continue;
        for (size_t i = 0; i < kMomentCount; ++i) parts[i].push_back(at[i] - (i ? at[i - 1] : 0));
        firstFrames.push_back(at.back());
    }
    if (firstFrames.empty()) return std::nullopt;
    StartupTimes median;
    median.firstFrame = Median(firstFrames);
    median.toMain = Median(parts[0]);
    median.context = Median(parts[1]);
    median.graphics = Median(parts[2]);
    median.loading = Median(parts[3]);
    median.frame = Median(parts[4]);
    return median;
}
