// The text over the scene: the frame rate, the capabilities in green or red, the key help.
#pragma once

struct OverlayLine {
    float x, y;      // raster position in the plane 100 units in front of the eye
    bool setsColor;  // whether the colour below is set before the line
    float color[3];
    const char* label;  // the text, or the label the state text is appended to
};

constexpr int kOverlayLineCount = 14;
constexpr int kOverlayBufferSize = 100;

// Line `index` (0 to 13, top to bottom: frame rate, six capabilities, seven lines of key help)
// with its text composed into `buffer` (kOverlayBufferSize bytes).
OverlayLine ComposeOverlayLine(int index, char* buffer);

// Draws the fourteen lines with depth test and 2D texturing off, then turns both back on.
// Leaves the modelview matrix at the translation (0, 0, -100) and white as the current colour,
// which the next frame's models are modulated by.
void DrawOverlay();
