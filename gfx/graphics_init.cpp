#include "gfx/graphics_init.h"

#include "gfx/capabilities.h"
#include "gfx/hud_font.h"
#include "gfx/render_state.h"

bool InitGraphics()
{
    if (!DetectCapabilities()) return false;
    SetRenderState();
    BuildHudFont();
    ShowLoadingScreen();
    return true;
}
