// A scripted platform for unit tests: records every call the program makes, in order, and
// answers from fields the test sets. Linked in place of a real backend.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

struct FakeMessageBox {
    std::string text;
    std::string caption;
    unsigned style = 0;
    WindowHandle owner = nullptr;
};

struct FakePlatform {
    // Calls in order, e.g. "ChangeDisplayMode(800x600x32@60,fullscreen)", "MakeCurrent(null)".
    std::vector<std::string> calls;

    // Registry: present only when keyExists; each value holds its raw bytes.
    bool keyExists = false;
    std::map<std::string, std::vector<uint8_t>> values;
    int openKeys = 0;

    bool displayModeSucceeds = true;
    int screenWidth = 800;
    int screenHeight = 600;
    bool createWindowSucceeds = true;
    bool setPixelFormatSucceeds = true;
    bool createContextSucceeds = true;
    bool makeCurrentSucceeds = true;
    int bindsLeft = -1;  // binds (MakeCurrent of a context) that succeed before all later ones
                         // fail; -1: no limit
    int cursorCount = 0;
    bool escapeDown = false;
    std::deque<PlatformMessage> queue;
    WindowProcedure procedure = nullptr;
    std::vector<FakeMessageBox> messageBoxes;

    int64_t performanceFrequency = 0;  // 0: no performance counter
    int64_t performanceCount = 0;
    uint32_t milliseconds = 0;

    bool bufferEntryPoints = true;  // whether the vertex-buffer entry points can be had
    int buffersGenerated = 0;
    int buffersDeleted = 0;
    int highestUnitSelected = -1;  // through glActiveTextureARB or glClientActiveTextureARB
    int windowsCreated = 0;
    int contextsCreated = 0;

    const char* windowSystemExtensions = nullptr;
    const char* multisampleExtensionName = "WGL_ARB_multisample";
    bool hasPixelFormatChooser = true;
    std::vector<int> samplesOffered;  // the multisample counts the fake driver has formats for
    bool chooserCallFails = false;
    std::vector<std::vector<int>> chooserRequests;  // every attribute list handed to the chooser
};

extern FakePlatform fakePlatform;

// Back to the state of a fresh process.
void ResetFakePlatform();

// Handles the fake hands out: distinct, recognisable, never dereferenced.
WindowHandle FakeWindow(int n);
DeviceContextHandle FakeDeviceContext(int n);
RenderContextHandle FakeRenderContext(int n);
