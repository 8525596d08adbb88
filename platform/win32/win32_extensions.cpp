// Extension access: wglGetProcAddress, the WGL extension string through
// wglGetExtensionsStringARB of the current device context, and wglChoosePixelFormatARB.
#include "platform/win32/win32_platform.h"

namespace {

using GetExtensionsStringArb = const char*(WINAPI*)(HDC);
using ChoosePixelFormatArb = BOOL(WINAPI*)(HDC, const int*, const FLOAT*, UINT, int*, UINT*);

// The entry point of the current context, null when the driver has none.
PROC LookUp(const char* name)
{
    PROC address = wglGetProcAddress(name);
    // NOTE: some drivers answer an unknown name with 1, 2, 3 or -1 instead of null.
    auto value = reinterpret_cast<intptr_t>(address);
    if (value == 1 || value == 2 || value == 3 || value == -1) {
        return nullptr;
    }
    return address;
}

template <typename Function>
Function ToFunction(PROC address)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

// As looked up by the last PlatformGetPixelFormatChooser; it belongs to the context that was
// current then.
ChoosePixelFormatArb choosePixelFormatArb = nullptr;

int ChooseThroughDriver(DeviceContextHandle dc, const int* intAttributes,
                        const float* floatAttributes, unsigned maxFormats, int* formats,
                        unsigned* count)
{
    return choosePixelFormatArb(ToWin32(dc), intAttributes, floatAttributes, maxFormats, formats,
                                count);
}

}  // namespace

void* PlatformGetProcAddress(const char* name) { return reinterpret_cast<void*>(LookUp(name)); }

const char* PlatformGetWindowSystemExtensions()
{
    // Looked up on every call: the address belongs to the context that is current now.
    auto getExtensionsString =
        ToFunction<GetExtensionsStringArb>(LookUp("wglGetExtensionsStringARB"));
    if (getExtensionsString == nullptr) {
        return nullptr;
    }
    return getExtensionsString(wglGetCurrentDC());
}

const char* PlatformMultisampleExtensionName() { return "WGL_ARB_multisample"; }

PixelFormatChooser PlatformGetPixelFormatChooser()
{
    choosePixelFormatArb = ToFunction<ChoosePixelFormatArb>(LookUp("wglChoosePixelFormatARB"));
    return choosePixelFormatArb != nullptr ? ChooseThroughDriver : nullptr;
}
