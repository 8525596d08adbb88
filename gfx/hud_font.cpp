#include "gfx/hud_font.h"

#include "state/app_window.h"
#include "state/display_settings.h"

#include <cstring>

HudFont hudFont;

namespace {

constexpr int kFirstCharacter = 32;
constexpr int kCharacterCount = 96;

}  // namespace

int32_t HudFontHeight(int32_t displayWidth) { return displayWidth * -20 / 1024; }

void BuildHudFont()
{
    hudFont.listBase = glGenLists(kCharacterCount);
    // The configured display width, not the window's: the text keeps its size relative to the
    // mode asked for.
    PlatformBuildFontBitmaps(appWindow.deviceContext, HudFontHeight(displaySettings.width),
                             "Agency FB", kFirstCharacter, kCharacterCount, hudFont.listBase);
}

void DrawHudText(const char* text)
{
    glPushAttrib(GL_LIST_BIT);
    glListBase(hudFont.listBase - kFirstCharacter);
    glCallLists(GLsizei(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
