// Program-wide flags shared by the message loop, the window procedure and the frame driver.
// Everything runs on one thread, so none of them needs a lock.
#pragma once

struct AppState {
    bool running = true;  // cleared only by the close request, after the teardown
    bool active = true;   // follows application activation; frames are drawn only while set
    // The rendering context is current on the program's thread: from the window's creation on,
    // released on deactivation and bound again on re-activation, which a driver may refuse.
    // Frames are drawn, and GL objects deleted, only while it is set.
    bool contextCurrent = true;
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
