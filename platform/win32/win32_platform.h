// What the win32 backend's files share: <windows.h>, the GL headers, and the conversions between
// the opaque handles and the Win32 ones. Only this backend sees <windows.h>.
#pragma once

// NOTE: platform.h declares WM_CLOSE, VK_ESCAPE, ERROR_SUCCESS, MB_OK and a few more as constants
// only where no macro of that name exists yet. <windows.h> defines the same names as macros with
// the same values, so either header may come first.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/gl_headers.h"
#include "platform/platform.h"

// The opaque handles are the Win32 handles themselves.
inline HINSTANCE ToWin32(InstanceHandle handle) { return reinterpret_cast<HINSTANCE>(handle); }
inline HWND ToWin32(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
inline HDC ToWin32(DeviceContextHandle handle) { return reinterpret_cast<HDC>(handle); }
inline HGLRC ToWin32(RenderContextHandle handle) { return reinterpret_cast<HGLRC>(handle); }
inline HKEY ToWin32(RegistryKeyHandle handle) { return reinterpret_cast<HKEY>(handle); }

inline InstanceHandle ToHandle(HINSTANCE h) { return reinterpret_cast<InstanceHandle>(h); }
inline WindowHandle ToHandle(HWND h) { return reinterpret_cast<WindowHandle>(h); }
inline DeviceContextHandle ToHandle(HDC h) { return reinterpret_cast<DeviceContextHandle>(h); }
inline RenderContextHandle ToHandle(HGLRC h) { return reinterpret_cast<RenderContextHandle>(h); }
inline RegistryKeyHandle ToHandle(HKEY h) { return reinterpret_cast<RegistryKeyHandle>(h); }
