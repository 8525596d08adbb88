// The operations the program relies on from the system it runs on.
//
// One backend implements this header per executable: platform/win32/ with the Win32, WGL
// and GDI calls themselves, platform/sdl/ with SDL2 (X11, Wayland, or the offscreen driver).
// Nothing here names a Windows or SDL type; handles are opaque pointers that only the
// backend dereferences. Message codes and virtual keys are numerically the Win32 ones, so
// the program's one window procedure reads the same on every backend.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
// NOTE: Windows compilers give the name WinMain C linkage whatever its parameters, so the
// program's WinMain must declare exactly the system's: the instance handle is HINSTANCE's type.
struct HINSTANCE__;
using InstanceHandle = HINSTANCE__*;
#else
struct PlatformInstance;
using InstanceHandle = PlatformInstance*;
#endif
struct PlatformWindow;
struct PlatformDeviceContext;
struct PlatformRenderContext;
struct PlatformRegistryKey;

using WindowHandle = PlatformWindow*;
using DeviceContextHandle = PlatformDeviceContext*;
using RenderContextHandle = PlatformRenderContext*;
using RegistryKeyHandle = PlatformRegistryKey*;

// ---- The program's entry -------------------------------------------------------------------

// Defined by the program, not by a backend: each backend's process entry hands over to it (the
// Linux main(); on Windows the C runtime calls it itself). Returns the process exit code: 0
// after the window closed, 1 when the window or its rendering context could not be made, 2 when
// graphics start-up failed, 3 when the scene was not built.
int WinMain(InstanceHandle instance, InstanceHandle previousInstance, char* commandLine,
            int showCommand);

// ---- Messages and keys (Win32 values) ----------------------------------------------------

// NOTE: windows.h defines these names as macros with the same values; where it came first,
// its macros stand in for the constants.

#ifndef WM_CLOSE
constexpr uint32_t WM_CLOSE = 0x0010;
#endif
#ifndef WM_ACTIVATEAPP
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
#endif
#ifndef WM_SETCURSOR
constexpr uint32_t WM_SETCURSOR = 0x0020;
#endif
#ifndef WM_KEYDOWN
constexpr uint32_t WM_KEYDOWN = 0x0100;
#endif

#ifndef VK_ESCAPE
constexpr int VK_ESCAPE = 0x1B;
#endif
#ifndef VK_NUMPAD0
constexpr int VK_NUMPAD0 = 0x60;
#endif

#ifndef SW_SHOWDEFAULT
constexpr int SW_SHOWDEFAULT = 10;
#endif

struct PlatformMessage {
    WindowHandle window = nullptr;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

using WindowProcedure = intptr_t (*)(WindowHandle, uint32_t, uintptr_t, intptr_t);

// ---- Registry value (HKEY_LOCAL_MACHINE, KEY_READ) ----------------------------------------

#ifndef ERROR_SUCCESS
constexpr long ERROR_SUCCESS = 0;
#endif
#ifndef ERROR_FILE_NOT_FOUND
constexpr long ERROR_FILE_NOT_FOUND = 2;
#endif
#ifndef ERROR_MORE_DATA
constexpr long ERROR_MORE_DATA = 234;
#endif

// Opens `subKey` under HKEY_LOCAL_MACHINE for reading; ERROR_SUCCESS or the failure code.
long PlatformRegOpenKey(const char* subKey, RegistryKeyHandle* key);
// RegQueryValueExA's contract: on entry *size is the buffer's size; a value that does not fit
// fails with ERROR_MORE_DATA and *size becomes the size needed; on success *size is the
// value's size and its raw bytes are in `data`.
long PlatformRegQueryValue(RegistryKeyHandle key, const char* name, uint8_t* data, uint32_t* size);
void PlatformRegCloseKey(RegistryKeyHandle key);

// ---- Display mode -------------------------------------------------------------------------

struct DisplayMode {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t frequency = 0;
};

enum class DisplayModeChange { Fullscreen, Reset };

// Applies `mode` (CDS_FULLSCREEN at start-up, CDS_RESET on re-activation); true on success.
// A null mode returns the display to the desktop mode.
bool PlatformChangeDisplayMode(const DisplayMode* mode, DisplayModeChange how);

// ---- Window -------------------------------------------------------------------------------

void PlatformRegisterWindowClass(InstanceHandle instance, const char* className,
                                 WindowProcedure procedure);
void PlatformUnregisterWindowClass(const char* className, InstanceHandle instance);
// A hidden borderless popup of the registered class at (0, 0) with the given size; null on
// failure.
WindowHandle PlatformCreatePopupWindow(InstanceHandle instance, const char* className,
                                       const char* title, int width, int height);
void PlatformDestroyWindow(WindowHandle window);
void PlatformShowWindow(WindowHandle window, int showCommand);
void PlatformUpdateWindow(WindowHandle window);
void PlatformSetFocus(WindowHandle window);
WindowHandle PlatformGetFocus();
void PlatformGetClientSize(WindowHandle window, int32_t* width, int32_t* height);
int PlatformScreenWidth();
int PlatformScreenHeight();

// ---- Messages -----------------------------------------------------------------------------

// Takes one pending message off the queue without waiting; false when the queue is empty.
bool PlatformPeekMessage(PlatformMessage* message);
void PlatformTranslateMessage(const PlatformMessage* message);
// Hands the message to the window procedure of its window's class.
intptr_t PlatformDispatchMessage(const PlatformMessage* message);
intptr_t PlatformDefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                               intptr_t lParam);
void PlatformPostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// ---- Keyboard and cursor ------------------------------------------------------------------

// GetKeyState: the high bits (0x80 in the low byte) are set while the key is down.
int16_t PlatformGetKeyState(int virtualKey);
// ShowCursor: raises or lowers the display count and returns it; the cursor shows while
// the count is zero or more.
int PlatformShowCursor(bool show);

// ---- Rendering context --------------------------------------------------------------------

// What the window's pixel format must offer; the values of a PIXELFORMATDESCRIPTOR.
struct PixelFormatRequest {
    uint8_t colorBits = 0;
    uint8_t redBits = 0;
    uint8_t redShift = 0;
    uint8_t greenBits = 0;
    uint8_t greenShift = 0;
    uint8_t blueBits = 0;
    uint8_t blueShift = 0;
    uint8_t depthBits = 0;
};

DeviceContextHandle PlatformGetDC(WindowHandle window);
int PlatformChoosePixelFormat(DeviceContextHandle dc, const PixelFormatRequest* request);
bool PlatformSetPixelFormat(DeviceContextHandle dc, int format, const PixelFormatRequest* request);
RenderContextHandle PlatformCreateContext(DeviceContextHandle dc);
// Null for both releases the calling thread's current context.
bool PlatformMakeCurrent(DeviceContextHandle dc, RenderContextHandle context);
void PlatformDeleteContext(RenderContextHandle context);
void PlatformSwapBuffers(DeviceContextHandle dc);

// ---- Extension access ---------------------------------------------------------------------

// An OpenGL entry point by name (wglGetProcAddress, SDL_GL_GetProcAddress); null when absent.
void* PlatformGetProcAddress(const char* name);
// The window-system extension string of the current device context (WGL's; GLX's or EGL's on
// the sdl backend); null when it cannot be had.
const char* PlatformGetWindowSystemExtensions();
// The window-system extension that stands for multisample pixel formats: "WGL_ARB_multisample"
// on Windows, "GLX_ARB_multisample" on X11; null where multisample formats are part of the
// window system's core (EGL) and no extension names them.
const char* PlatformMultisampleExtensionName();

// wglChoosePixelFormatARB's contract: integer and floating-point attribute lists of name/value
// pairs (WGL_*_ARB names) ending in 0, 0; up to `maxFormats` matching format indices go to
// `formats` and their number to `count`. Non-zero when the call itself succeeded.
using PixelFormatChooser = int (*)(DeviceContextHandle dc, const int* intAttributes,
                                   const float* floatAttributes, unsigned maxFormats, int* formats,
                                   unsigned* count);
// The driver's chooser, or null when it has none.
PixelFormatChooser PlatformGetPixelFormatChooser();

// ---- Bitmap font --------------------------------------------------------------------------

// Builds `count` consecutive display lists from `listBase`, list i holding the glyph bitmap of
// character `first` + i of face `faceName` at `height` (negative: character height in pixels,
// as CreateFontA takes it) with its origin and advance. Needs the context current on `dc`.
void PlatformBuildFontBitmaps(DeviceContextHandle dc, int height, const char* faceName, int first,
                              int count, unsigned listBase);

// ---- File mapping -------------------------------------------------------------------------

struct MappedFile {
    const uint8_t* data = nullptr;
    size_t size = 0;
    void* backend = nullptr;
};

enum class MapFileResult { Mapped, CannotOpen, NotRegularFile, Empty };

// The whole file readable in memory, or why not. Only a regular file is opened for reading, and
// never in a way that waits: a FIFO, a folder or a device is refused as NotRegularFile. An empty
// file cannot be mapped. What callers may rely on is the file's bytes as they were when it was
// read, for as long as it is mapped: the sdl backend reads a private copy, so that another
// process shortening the file cannot pull pages from under the reader; Windows maps the file,
// and refuses to shorten a file while a view of it exists.
MapFileResult PlatformMapFile(const char* fileName, MappedFile* file);
void PlatformUnmapFile(MappedFile* file);

// ---- Bitmap conversion --------------------------------------------------------------------

enum class DibConversion { Converted, OutOfMemory, ConversionError };

// Converts DIB pixels into 24-bit blue-green-red rows, each padded to a multiple of 4 bytes,
// in the source's row order (bottom row first for a positive height). `sourceInfo` is a
// BITMAPINFO: a 40-byte header followed by its colour table (or, for BI_BITFIELDS, the three
// masks); `bits` holds `bitsSize` readable bytes. `target` has room for |height| padded rows.
DibConversion PlatformConvertDibTo24(const uint8_t* sourceInfo, const uint8_t* bits,
                                     size_t bitsSize, uint8_t* target);

// ---- Message boxes ------------------------------------------------------------------------

#ifndef MB_OK
constexpr unsigned MB_OK = 0x0;
#endif
#ifndef MB_ICONERROR
constexpr unsigned MB_ICONERROR = 0x10;
#endif

// Modal; returns when the user dismisses it.
int PlatformMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style);

// ---- Clocks -------------------------------------------------------------------------------

bool PlatformQueryPerformanceFrequency(int64_t* frequency);
bool PlatformQueryPerformanceCounter(int64_t* count);
// Milliseconds since an arbitrary start; wraps around after 2^32 ms like timeGetTime.
uint32_t PlatformTimeGetTime();
