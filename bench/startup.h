// Start-up, from the process's start to its first presented frame, beside its parts.
#pragma once

#include <filesystem>

struct StartupTimes {
    double firstFrame = 0;   // ms from the process's start to its first frame, finished
    double toMain = 0;       // of which: from the process's start to main()
    double context = 0;      // the window and its context, the multisample search included
    double graphics = 0;     // extensions, render state, font and the loading screen
    double loading = 0;      // the scene: files, mesh preparation, textures
    double frame = 0;        // the first frame itself
    double modelFiles = 0;   // of which: reading and checking the two 3DS files
    double bitmapFiles = 0;  // reading and decoding the four bitmaps
    double meshes = 0;       // mesh preparation and the vertex buffers
    double textures = 0;     // the four texture uploads
};

// Runs `self --startup FOLDER` `runs` times and gives the medians.
StartupTimes MeasureStartup(const char* self, const std::filesystem::path& folder, int runs);

// The child's side: the program's start-up in FOLDER, then its parts once more apart; prints
// the times. Returns the process's exit code.
int RunStartup(const std::filesystem::path& folder);
