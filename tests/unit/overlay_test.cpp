#include "scene/overlay.h"
#include "gfx/capabilities.h"
#include "scene/frame_timer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Composed {
    OverlayLine line;
    std::string text;
};

Composed Compose(int index)
{
    char buffer[kOverlayBufferSize];
    const OverlayLine line = ComposeOverlayLine(index, buffer);
    return {line, line.label};
}

bool Is(const OverlayLine& line, float r, float g, float b)
{
    return line.setsColor && line.color[0] == r && line.color[1] == g && line.color[2] == b;
}

}  // namespace

TEST(Overlay, LinesTextsPositionsAndColours)
{
    frameTimer.fps = 0;
    capabilityFlags = CapabilityFlags();
    capabilityFlags.vertexBufferObject = true;
    capabilityFlags.multitexture = true;

    Composed fps = Compose(0);
    EXPECT_EQ(fps.text, "0 FPS");
    EXPECT_EQ(fps.line.x, -53.0f);
    EXPECT_EQ(fps.line.y, 38.0f);
    EXPECT_TRUE(Is(fps.line, 1, 1, 1));

    const char* expected[] = {"VBO supported",
                              "Multisample not supported",
                              "MultiTexturing supported",
                              "Cube Map not supported",
                              "Texture Env. Combine not supported",
                              "Texture Env. Dot3 not supported"};
    const bool green[] = {true, false, true, false, false, false};
    for (int i = 1; i <= 6; ++i) {
        const Composed c = Compose(i);
        EXPECT_EQ(c.text, expected[i - 1]);
        EXPECT_EQ(c.line.x, -54.0f);
        EXPECT_EQ(c.line.y, 38.0f - 3.0f * float(i));
        EXPECT_TRUE(green[i - 1] ? Is(c.line, 0, 1, 0) : Is(c.line, 1, 0, 0)) << c.text;
    }

    const char* help[] = {"Keys:",          "1 - cube only",   "2 - sphere only",   "3 - both",
                          "4 - bumps only", "5 - colors only", "6 - colors + bumps"};
    for (int i = 7; i < kOverlayLineCount; ++i) {
        const Composed c = Compose(i);
        EXPECT_EQ(c.text, help[i - 7]);
        EXPECT_EQ(c.line.x, 37.0f);
        EXPECT_EQ(c.line.y, 38.0f - 3.0f * float(i - 7));
        // Only the heading sets a colour: white, whatever the capability lines left.
        EXPECT_EQ(c.line.setsColor, i == 7);
    }
    EXPECT_TRUE(Is(Compose(7).line, 1, 1, 1));
}

TEST(Overlay, MultisampleLineCarriesTheSampleCount)
{
    capabilityFlags = CapabilityFlags();
    capabilityFlags.multisample = true;
    capabilityFlags.multisampleSamples = 2;
    EXPECT_EQ(Compose(2).text, "Multisample supported (x2)");
    EXPECT_TRUE(Is(Compose(2).line, 0, 1, 0));
    frameTimer.fps = -7;
    EXPECT_EQ(Compose(0).text, "-7 FPS");
    capabilityFlags = CapabilityFlags();
}
