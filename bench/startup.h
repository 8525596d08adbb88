// The program's start-up, from its process's start to its first frame, beside its parts: the
// program itself run in a run folder, timed from outside (startup_probe.c).
#pragma once

#include <filesystem>
#include <optional>

struct StartupTimes {
    double firstFrame = 0;  // ms from the process's start to its first frame, finished
    double toMain = 0;      // of which: from the process's start to main()
    double context = 0;     // from main() to the shown window's context, the multisample search
                            // included
    double graphics = 0;    // extensions, render state, font and the loading screen
    double loading = 0;     // the scene: the cube map, files, mesh preparation, textures
    double frame = 0;       // the first frame itself
};

// Runs the program in `folder` (a run folder with its data files) `runs` times and gives the
// medians of the runs that reached their first frame and ended with exit code 0; none, with the
// reasons on stderr, when no run did.
std::optional<StartupTimes> MeasureStartup(const std::filesystem::path& folder, int runs);
