// The bitmap font of all on-screen text: one display list per character 32 to 127.
#pragma once

#include "gfx/gl.h"

#include <cstdint>

struct HudFont {
    GLuint listBase = 0;  // list listBase + i draws character 32 + i; 0 before BuildHudFont
};

extern HudFont hudFont;

// The font's height for a display width: -20 pixels at 1024, scaled and truncated toward zero
// (negative: a character height, not a cell height).
int32_t HudFontHeight(int32_t displayWidth);

// Rasterises the face "Agency FB" (or the system's substitute) into 96 display lists, once.
void BuildHudFont();

// Draws `text` at the current raster position, in the colour that was current when that
// position was set. Leaves the list base as it found it.
void DrawHudText(const char* text);
