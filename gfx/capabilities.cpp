#include "gfx/capabilities.h"

#include "state/app_window.h"

#include <cstring>

CapabilityFlags capabilityFlags;
GlExtensionEntryPoints glExtensionEntryPoints;

namespace {

const char* DriverGlExtensions()
{
    return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
}

int32_t DriverTextureUnits()
{
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
    return units;
}

bool IsTokenEnd(char c) { return c == ' ' || c == '\0'; }

template <typename Function>
void Fetch(Function& entry, const char* name)
{
    entry = reinterpret_cast<Function>(PlatformGetProcAddress(name));
}

}  // namespace

ExtensionStringSource glExtensionString = DriverGlExtensions;
ExtensionStringSource windowSystemExtensionString = PlatformGetWindowSystemExtensions;
TextureUnitSource textureUnitCount = DriverTextureUnits;

bool SearchGlExtensionString(const char* extensions, const char* name)
{
    // An empty name "occurs" everywhere and would never let the search move on.
    if (!extensions || *name == '\0') return false;
    const size_t length = std::strlen(name);
    const char* start = extensions;
    for (;;) {
        const char* found = std::strstr(start, name);
        if (!found) return false;
        const char* terminator = found + length;
        if ((found == start || found[-1] == ' ') && IsTokenEnd(*terminator)) return true;
        start = terminator;
    }
}

bool SearchWglExtensionString(const char* extensions, const char* name)
{
    // An empty name "occurs" everywhere, also at the terminator, from which the search would go
    // on one character past the string.
    if (!extensions || *name == '\0') return false;
    const size_t length = std::strlen(name);
    for (const char* found = std::strstr(extensions, name); found;
         found = std::strstr(found + 1, name)) {
        if ((found == extensions || found[-1] == ' ') && IsTokenEnd(found[length])) return true;
    }
    return false;
}

bool HasGlExtension(const char* name)
{
    if (*name == '\0' || std::strchr(name, ' ')) return false;
    return SearchGlExtensionString(glExtensionString(), name);
}

bool HasWglExtension(const char* name)
{
    return SearchWglExtensionString(windowSystemExtensionString(), name);
}

bool DetectCapabilities()
{
    CapabilityFlags& flags = capabilityFlags;
    flags.vertexBufferObject = HasGlExtension("GL_ARB_vertex_buffer_object");
    if (!flags.vertexBufferObject) {
        PlatformMessageBox(appWindow.window, "Vertex Buffer Object not supported!", "Extensions",
                           MB_ICONERROR);
        return false;
    }

    // Stored as returned: a missing entry point is null, and the draw copes with that.
    GlExtensionEntryPoints& entry = glExtensionEntryPoints;
    Fetch(entry.glGenBuffersARB, "glGenBuffersARB");
    Fetch(entry.glBindBufferARB, "glBindBufferARB");
    Fetch(entry.glBufferDataARB, "glBufferDataARB");
    Fetch(entry.glDeleteBuffersARB, "glDeleteBuffersARB");
    Fetch(entry.glActiveTextureARB, "glActiveTextureARB");
    Fetch(entry.glClientActiveTextureARB, "glClientActiveTextureARB");

    flags.multitexture = HasGlExtension("GL_ARB_multitexture");
    flags.textureCubeMap = HasGlExtension("GL_ARB_texture_cube_map");
    flags.textureEnvCombine = HasGlExtension("GL_ARB_texture_env_combine");
    flags.textureEnvDot3 = HasGlExtension("GL_ARB_texture_env_dot3");
    flags.textureUnits = flags.multitexture ? textureUnitCount() : 1;
    // A driver may offer the extensions with fewer units than the draw uses.
    flags.bumpMapping = flags.multitexture && flags.textureCubeMap && flags.textureEnvCombine &&
                        flags.textureEnvDot3 && flags.textureUnits >= kDot3TextureUnits;
    return true;
}
