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
    bool bumpMapping = false;  // all four of the above: the Dot3 draw can run
};

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
// They differ where tokens are not separated by spaces: the GL search restarts behind a rejected
// occurrence and counts a token as starting at the search start, the window-system search
// restarts one character after the rejected occurrence's start.
bool SearchGlExtensionString(const char* extensions, const char* name);
bool SearchWglExtensionString(const char* extensions, const char* name);

// Where the extension strings come from: the driver, unless a test hands in others.
using ExtensionStringSource = const char* (*)();
extern ExtensionStringSource glExtensionString;
extern ExtensionStringSource windowSystemExtensionString;

// Fills the extension flags (multisample aside) and fetches the entry points. False, after
// telling the user, when vertex buffer objects are missing; then nothing else is done.
bool DetectCapabilities();
