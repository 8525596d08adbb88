// Program-wide flags shared by the message loop, the window procedure and the frame driver.
// Everything runs on one thread, so none of them needs a lock.
#pragma once

struct AppState {
    bool running = true;  // cleared only by the close request, after the teardown
    bool active = true;   // follows application activation; frames are drawn only while set
};

// Which models are drawn; keys 1, 2 and 3 set both flags at once.
struct ModelVisibility {
    bool cubeVisible = true;
    bool sphereVisible = true;
};

// Which passes are drawn; keys 4, 5 and 6 set both flags at once.
struct RenderMode {
    bool bumpPass = true;
    bool colorPass = true;
};

extern AppState appState;
extern ModelVisibility modelVisibility;
extern RenderMode renderMode;
