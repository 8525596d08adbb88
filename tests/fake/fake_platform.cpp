#include "tests/fake/fake_platform.h"

#include "gfx/gl.h"
#include "platform/dib/dib_convert.h"

#include <strings.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

FakePlatform fakePlatform;

void ResetFakePlatform() { fakePlatform = FakePlatform(); }

WindowHandle FakeWindow(int n) { return reinterpret_cast<WindowHandle>(uintptr_t(0x1000 + n)); }
DeviceContextHandle FakeDeviceContext(int n)
{
    return reinterpret_cast<DeviceContextHandle>(uintptr_t(0x2000 + n));
}
RenderContextHandle FakeRenderContext(int n)
{
    return reinterpret_cast<RenderContextHandle>(uintptr_t(0x3000 + n));
}

namespace {

std::string Name(const void* handle)
{
    if (!handle) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%#lx", static_cast<unsigned long>(uintptr_t(handle)));
    return text;
}

void Record(const std::string& call) { fakePlatform.calls.push_back(call); }

}  // namespace

long PlatformRegOpenKey(const char* subKey, RegistryKeyHandle* key)
{
    Record(std::string("RegOpenKey(") + subKey + ")");
    if (!fakePlatform.keyExists) return ERROR_FILE_NOT_FOUND;
    ++fakePlatform.openKeys;
    *key = reinterpret_cast<RegistryKeyHandle>(uintptr_t(0x4000));
    return ERROR_SUCCESS;
}

long PlatformRegQueryValue(RegistryKeyHandle, const char* name, uint8_t* data, uint32_t* size)
{
    Record(std::string("RegQueryValue(") + name + "," + std::to_string(*size) + ")");
    for (const auto& [valueName, bytes] : fakePlatform.values) {
        if (strcasecmp(valueName.c_str(), name) != 0) continue;
        const bool fits = bytes.size() <= *size;
        *size = static_cast<uint32_t>(bytes.size());
        if (!fits) return ERROR_MORE_DATA;
        std::memcpy(data, bytes.data(), bytes.size());
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

void PlatformRegCloseKey(RegistryKeyHandle)
{
    Record("RegCloseKey");
    --fakePlatform.openKeys;
}

bool PlatformChangeDisplayMode(const DisplayMode* mode, DisplayModeChange how)
{
    if (!mode) {
        Record("ChangeDisplayMode(desktop)");
        return true;
    }
    char text[96];
    std::snprintf(text, sizeof text, "ChangeDisplayMode(%dx%dx%d@%d,%s)", mode->width, mode->height,
                  mode->bitsPerPixel, mode->frequency,
                  how == DisplayModeChange::Fullscreen ? "fullscreen" : "reset");
    Record(text);
    return fakePlatform.displayModeSucceeds;
}

void PlatformRegisterWindowClass(InstanceHandle, const char* className, WindowProcedure procedure)
{
    Record(std::string("RegisterWindowClass(") + className + ")");
    fakePlatform.procedure = procedure;
}

void PlatformUnregisterWindowClass(const char* className, InstanceHandle instance)
{
    Record(std::string("UnregisterWindowClass(") + className + "," + Name(instance) + ")");
}

WindowHandle PlatformCreatePopupWindow(InstanceHandle, const char* className, const char* title,
                                       int width, int height)
{
    Record(std::string("CreatePopupWindow(") + className + "," + title + "," +
           std::to_string(width) + "x" + std::to_string(height) + ")");
    if (!fakePlatform.createWindowSucceeds) return nullptr;
    return FakeWindow(++fakePlatform.windowsCreated);
}

void PlatformDestroyWindow(WindowHandle window) { Record("DestroyWindow(" + Name(window) + ")"); }
void PlatformShowWindow(WindowHandle window, int showCommand)
{
    Record("ShowWindow(" + Name(window) + "," + std::to_string(showCommand) + ")");
}
void PlatformUpdateWindow(WindowHandle window) { Record("UpdateWindow(" + Name(window) + ")"); }
void PlatformSetFocus(WindowHandle window) { Record("SetFocus(" + Name(window) + ")"); }
WindowHandle PlatformGetFocus() { return FakeWindow(1); }

void PlatformGetClientSize(WindowHandle, int32_t* width, int32_t* height)
{
    *width = fakePlatform.screenWidth;
    *height = fakePlatform.screenHeight;
}

int PlatformScreenWidth() { return fakePlatform.screenWidth; }
int PlatformScreenHeight() { return fakePlatform.screenHeight; }

bool PlatformPeekMessage(PlatformMessage* message)
{
    if (fakePlatform.queue.empty()) return false;
    *message = fakePlatform.queue.front();
    fakePlatform.queue.pop_front();
    return true;
}

void PlatformTranslateMessage(const PlatformMessage*) {}

intptr_t PlatformDispatchMessage(const PlatformMessage* message)
{
    return fakePlatform.procedure(message->window, message->message, message->wParam,
                                  message->lParam);
}

intptr_t PlatformDefWindowProc(WindowHandle, uint32_t message, uintptr_t, intptr_t)
{
    Record("DefWindowProc(" + std::to_string(message) + ")");
    return 0;
}

void PlatformPostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    Record("PostMessage(" + Name(window) + "," + std::to_string(message) + ")");
    fakePlatform.queue.push_back({window, message, wParam, lParam});
}

int16_t PlatformGetKeyState(int virtualKey)
{
    return virtualKey == VK_ESCAPE && fakePlatform.escapeDown ? int16_t(-128) : int16_t(0);
}

int PlatformShowCursor(bool show)
{
    Record(show ? "ShowCursor(TRUE)" : "ShowCursor(FALSE)");
    fakePlatform.cursorCount += show ? 1 : -1;
    return fakePlatform.cursorCount;
}

DeviceContextHandle PlatformGetDC(WindowHandle window)
{
    Record("GetDC(" + Name(window) + ")");
    return FakeDeviceContext(fakePlatform.windowsCreated);
}

int PlatformChoosePixelFormat(DeviceContextHandle, const PixelFormatRequest* request)
{
    char text[96];
    std::snprintf(text, sizeof text, "ChoosePixelFormat(%d;%d<<%d,%d<<%d,%d<<%d;%d)",
                  request->colorBits, request->redBits, request->redShift, request->greenBits,
                  request->greenShift, request->blueBits, request->blueShift, request->depthBits);
    Record(text);
    return 1;
}

bool PlatformSetPixelFormat(DeviceContextHandle dc, int format, const PixelFormatRequest*)
{
    Record("SetPixelFormat(" + Name(dc) + "," + std::to_string(format) + ")");
    return fakePlatform.setPixelFormatSucceeds;
}

RenderContextHandle PlatformCreateContext(DeviceContextHandle dc)
{
    Record("CreateContext(" + Name(dc) + ")");
    if (!fakePlatform.createContextSucceeds) return nullptr;
    return FakeRenderContext(++fakePlatform.contextsCreated);
}

bool PlatformMakeCurrent(DeviceContextHandle dc, RenderContextHandle context)
{
    Record("MakeCurrent(" + Name(dc) + "," + Name(context) + ")");
    if (context && fakePlatform.bindsLeft == 0) return false;
    if (context && fakePlatform.bindsLeft > 0) --fakePlatform.bindsLeft;
    return fakePlatform.makeCurrentSucceeds;
}

void PlatformDeleteContext(RenderContextHandle context)
{
    Record("DeleteContext(" + Name(context) + ")");
}

void PlatformSwapBuffers(DeviceContextHandle dc) { Record("SwapBuffers(" + Name(dc) + ")"); }

namespace {

// Buffer entry points that only count what they are asked, so that a scene can be prepared
// without a rendering context.
void APIENTRY FakeGenBuffers(GLsizei count, GLuint* names)
{
    for (GLsizei i = 0; i < count; ++i) names[i] = GLuint(++fakePlatform.buffersGenerated);
}
void APIENTRY FakeBindBuffer(GLenum, GLuint) {}
void APIENTRY FakeBufferData(GLenum, GLsizeiptrARB, const void*, GLenum) {}
void APIENTRY FakeDeleteBuffers(GLsizei count, const GLuint*)
{
    Record("DeleteBuffers(" + std::to_string(count) + ")");
    fakePlatform.buffersDeleted += count;
}
void APIENTRY FakeSelectUnit(GLenum unit)
{
    fakePlatform.highestUnitSelected =
        std::max(fakePlatform.highestUnitSelected, int(unit - GL_TEXTURE0_ARB));
}

}  // namespace

void* PlatformGetProcAddress(const char* name)
{
    if (!fakePlatform.bufferEntryPoints) return nullptr;
    const std::map<std::string, void*> entries = {
        {"glGenBuffersARB", reinterpret_cast<void*>(FakeGenBuffers)},
        {"glBindBufferARB", reinterpret_cast<void*>(FakeBindBuffer)},
        {"glBufferDataARB", reinterpret_cast<void*>(FakeBufferData)},
        {"glDeleteBuffersARB", reinterpret_cast<void*>(FakeDeleteBuffers)},
        {"glActiveTextureARB", reinterpret_cast<void*>(FakeSelectUnit)},
        {"glClientActiveTextureARB", reinterpret_cast<void*>(FakeSelectUnit)}};
    const auto found = entries.find(name);
    return found == entries.end() ? nullptr : found->second;
}
const char* PlatformGetWindowSystemExtensions() { return fakePlatform.windowSystemExtensions; }
const char* PlatformMultisampleExtensionName() { return fakePlatform.multisampleExtensionName; }

namespace {

int FakeChoosePixelFormat(DeviceContextHandle, const int* attributes, const float*, unsigned,
                          int* format, unsigned* count)
{
    std::vector<int> request;
    int samples = 0;
    for (; attributes[0] != 0; attributes += 2) {
        request.insert(request.end(), {attributes[0], attributes[1]});
        if (attributes[0] == 0x2042) samples = attributes[1];
    }
    fakePlatform.chooserRequests.push_back(request);
    *count = 0;
    if (fakePlatform.chooserCallFails) return 0;
    const auto& offered = fakePlatform.samplesOffered;
    if (std::find(offered.begin(), offered.end(), samples) == offered.end()) return 1;
    *format = 100 + samples;
    *count = 1;
    return 1;
}

}  // namespace

PixelFormatChooser PlatformGetPixelFormatChooser()
{
    return fakePlatform.hasPixelFormatChooser ? FakeChoosePixelFormat : nullptr;
}

void PlatformBuildFontBitmaps(DeviceContextHandle, int height, const char* faceName, int first,
                              int count, unsigned listBase)
{
    Record("BuildFontBitmaps(" + std::to_string(height) + "," + faceName + "," +
           std::to_string(first) + "," + std::to_string(count) + "," + std::to_string(listBase) +
           ")");
}

MapFileResult PlatformMapFile(const char* fileName, MappedFile* file)
{
    // Only the results the loaders tell apart; the real backends' ways of not waiting on a FIFO
    // are theirs, tested from the outside.
    std::error_code code;
    if (std::filesystem::is_directory(fileName, code)) return MapFileResult::NotRegularFile;
    std::FILE* stream = std::fopen(fileName, "rb");
    if (!stream) return MapFileResult::CannotOpen;
    std::vector<uint8_t>* bytes = new std::vector<uint8_t>;
    uint8_t chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0)
        bytes->insert(bytes->end(), chunk, chunk + got);
    std::fclose(stream);
    if (bytes->empty()) {
        delete bytes;
        return MapFileResult::Empty;
    }
    file->data = bytes->data();
    file->size = bytes->size();
    file->backend = bytes;
    return MapFileResult::Mapped;
}

void PlatformUnmapFile(MappedFile* file)
{
    delete static_cast<std::vector<uint8_t>*>(file->backend);
    *file = MappedFile();
}

DibConversion PlatformConvertDibTo24(const uint8_t* sourceInfo, const uint8_t* bits,
                                     size_t bitsSize, uint8_t* target)
{
    return ConvertDibTo24Rows(sourceInfo, bits, bitsSize, target);
}

int PlatformMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style)
{
    Record(std::string("MessageBox(") + caption + ")");
    fakePlatform.messageBoxes.push_back({text, caption, style, owner});
    return 1;
}

bool PlatformQueryPerformanceFrequency(int64_t* frequency)
{
    *frequency = fakePlatform.performanceFrequency;
    return fakePlatform.performanceFrequency != 0;
}

bool PlatformQueryPerformanceCounter(int64_t* count)
{
    *count = fakePlatform.performanceCount;
    return fakePlatform.performanceFrequency != 0;
}

uint32_t PlatformTimeGetTime() { return fakePlatform.milliseconds; }
