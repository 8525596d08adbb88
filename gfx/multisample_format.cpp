#include "gfx/multisample_format.h"

#include "gfx/capabilities.h"
#include "state/app_window.h"

#include <initializer_list>

namespace {

// WGL_ARB_pixel_format and WGL_ARB_multisample attribute names.
enum : int {
    WGL_DRAW_TO_WINDOW_ARB = 0x2001,
    WGL_ACCELERATION_ARB = 0x2003,
    WGL_SUPPORT_OPENGL_ARB = 0x2010,
    WGL_DOUBLE_BUFFER_ARB = 0x2011,
    WGL_COLOR_BITS_ARB = 0x2014,
    WGL_ALPHA_BITS_ARB = 0x201B,
    WGL_DEPTH_BITS_ARB = 0x2022,
    WGL_STENCIL_BITS_ARB = 0x2023,
    WGL_FULL_ACCELERATION_ARB = 0x2027,
    WGL_SAMPLE_BUFFERS_ARB = 0x2041,
    WGL_SAMPLES_ARB = 0x2042,
};

}  // namespace

int ChooseMultisampleFormat()
{
    capabilityFlags.multisample = false;
    capabilityFlags.multisampleSamples = 0;

    // Where multisample formats are core to the window system, no extension has to name them.
    const char* windowSystemExtension = PlatformMultisampleExtensionName();
    if (windowSystemExtension && !HasWglExtension(windowSystemExtension)) return -1;
    if (!HasGlExtension("GL_ARB_multisample")) return -1;
    const PixelFormatChooser choose = PlatformGetPixelFormatChooser();
    if (!choose) return -1;

    // Colour and alpha are fixed here whatever the configured depth: only the plain format
    // follows it.
    // clang-format off
    int attributes[] = {WGL_DRAW_TO_WINDOW_ARB, 1,
                        WGL_SUPPORT_OPENGL_ARB, 1,
                        WGL_ACCELERATION_ARB, WGL_FULL_ACCELERATION_ARB,
                        WGL_COLOR_BITS_ARB, 24,
                        WGL_ALPHA_BITS_ARB, 8,
                        WGL_DEPTH_BITS_ARB, 16,
                        WGL_STENCIL_BITS_ARB, 0,
                        WGL_DOUBLE_BUFFER_ARB, 1,
                        WGL_SAMPLE_BUFFERS_ARB, 1,
                        WGL_SAMPLES_ARB, 4,
                        0, 0};
    // clang-format on
    const float floatAttributes[] = {0.0f, 0.0f};
    int& samplesValue = attributes[19];
    for (int samples : {4, 2}) {
        samplesValue = samples;
        int format = 0;
        unsigned count = 0;
        if (choose(appWindow.deviceContext, attributes, floatAttributes, 1, &format, &count) &&
            count >= 1) {
            capabilityFlags.multisampleSamples = samples;
            capabilityFlags.multisample = true;
            return format;
        }
    }
    return -1;
}

void ConfirmMultisampleFormat()
{
    GLint sampleBuffers = 0, samples = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS_ARB, &sampleBuffers);
    glGetIntegerv(GL_SAMPLES_ARB, &samples);
    ConfirmMultisampleFormat(sampleBuffers, samples);
}

void ConfirmMultisampleFormat(int32_t sampleBuffers, int32_t samples)
{
    // Window systems take the count asked for as a minimum: a context with more samples keeps
    // the flag, and the overlay shows what it has.
    if (sampleBuffers >= 1 && samples >= capabilityFlags.multisampleSamples) {
        capabilityFlags.multisampleSamples = samples;
        return;
    }
    capabilityFlags.multisample = false;
    capabilityFlags.multisampleSamples = 0;
}
