// What the driver offers, and the extension entry points the program calls.
#pragma once

#include "gfx/gl.h"

#include <cstdint>

struct CapabilityFlags {
    bool vertexBufferObject = false;
    bool multisample = false;        // the window was re-created on a multisample format
    int32_t multisampleSamples = 0;  // samples per pixel of that format (4 or 2), else 0
    bool multitexture = false;
    bool textureCubeMap = false;
    bool textureEnvCombine = false;
    bool textureEnvDot3 = false;
    int32_t textureUnits = 0;  // the driver's texture units: 1 without multitexture
    bool bumpMapping = false;  // all four extensions above and kDot3TextureUnits units
};

// The Dot3 draw puts the normal map, the cube map and the colour texture on units 0, 1 and 2.
constexpr int32_t kDot3TextureUnits = 3;

struct GlExtensionEntryPoints {
    PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
    PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
    PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
    PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
    PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
    PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
};

extern CapabilityFlags capabilityFlags;
extern GlExtensionEntryPoints glExtensionEntryPoints;

// Whole-token tests of the current context's extension strings. The GL one refuses empty names
// and names with a space without reading the string.
bool HasGlExtension(const char* name);
bool HasWglExtension(const char* name);

// The token searches themselves, over a given string; see HasGlExtension and HasWglExtension.
// Both answer false for an empty name.
// They differ where tokens are not separated by spaces: the GL search restarts behind a rejected
// occurrence and counts a token as starting at the search start, the window-system search
// restarts one character after the rejected occurrence's start.
bool SearchGlExtensionString(const char* extensions, const char* name);
bool SearchWglExtensionString(const char* extensions, const char* name);

// Where the extension strings and the texture unit count come from: the driver, unless a test
// hands in others.
using ExtensionStringSource = const char* (*)();
extern ExtensionStringSource glExtensionString;
extern ExtensionStringSource windowSystemExtensionString;
using TextureUnitSource = int32_t (*)();
extern TextureUnitSource textureUnitCount;

// Fills the extension flags (multisample aside) and the texture unit count, and fetches the entry
// points. False, after telling the user, when vertex buffer objects are missing; then nothing
// else is done.
bool DetectCapabilities();
