#include "scene/overlay.h"

#include "gfx/capabilities.h"
#include "gfx/gl.h"
#include "gfx/hud_font.h"
#include "scene/frame_timer.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr float kWhite[3] = {1.0f, 1.0f, 1.0f};
constexpr float kGreen[3] = {0.0f, 1.0f, 0.0f};
constexpr float kRed[3] = {1.0f, 0.0f, 0.0f};

struct Capability {
    const char* label;
    bool CapabilityFlags::*flag;
};

const Capability kCapabilities[] = {
    {"VBO ", &CapabilityFlags::vertexBufferObject},
    {"Multisample ", &CapabilityFlags::multisample},
    {"MultiTexturing ", &CapabilityFlags::multitexture},
    {"Cube Map ", &CapabilityFlags::textureCubeMap},
    {"Texture Env. Combine ", &CapabilityFlags::textureEnvCombine},
    {"Texture Env. Dot3 ", &CapabilityFlags::textureEnvDot3},
};

const char* const kKeyHelp[] = {
    "Keys:",          "1 - cube only",   "2 - sphere only",   "3 - both",
    "4 - bumps only", "5 - colors only", "6 - colors + bumps"};

OverlayLine Line(float x, float y, const float* color, const char* text)
{
    OverlayLine line{x, y, color != nullptr, {0, 0, 0}, text};
    if (color) std::memcpy(line.color, color, sizeof line.color);
    return line;
}

}  // namespace

OverlayLine ComposeOverlayLine(int index, char* buffer)
{
    if (index == 0) {
        std::snprintf(buffer, kOverlayBufferSize, "%i FPS", frameTimer.fps);
        return Line(-53.0f, 38.0f, kWhite, buffer);
    }
    if (index <= 6) {
        const Capability& capability = kCapabilities[index - 1];
        const bool supported = capabilityFlags.*capability.flag;
        if (capability.flag == &CapabilityFlags::multisample && supported) {
            std::snprintf(buffer, kOverlayBufferSize, "%ssupported (x%d)", capability.label,
                          int(capabilityFlags.multisampleSamples));
        } else {
            std::snprintf(buffer, kOverlayBufferSize, "%s%s", capability.label,
                          supported ? "supported" : "not supported");
        }
        return Line(-54.0f, 38.0f - 3.0f * float(index), supported ? kGreen : kRed, buffer);
    }
    const int help = index - 7;
    // Only the heading sets white; the help lines below it stay in that colour.
    return Line(37.0f, 38.0f - 3.0f * float(help), help == 0 ? kWhite : nullptr, kKeyHelp[help]);
}

void DrawOverlay()
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -100.0f);
    char buffer[kOverlayBufferSize];
    for (int i = 0; i < kOverlayLineCount; ++i) {
        const OverlayLine line = ComposeOverlayLine(i, buffer);
        // The raster position takes the current colour when it is set, so the colour first.
        if (line.setsColor) glColor3f(line.color[0], line.color[1], line.color[2]);
        glRasterPos2f(line.x, line.y);
        DrawHudText(line.label);
    }
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
}
