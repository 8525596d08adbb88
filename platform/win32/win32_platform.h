// What the win32 backend's files share: <windows.h> and the GL headers in the one order that
// works with platform.h, and the conversions between the opaque handles and the Win32 ones.
#pragma once

// NOTE: platform.h declares WM_CLOSE, VK_ESCAPE, ERROR_SUCCESS, MB_OK and a few more as
// constants, and <windows.h> defines the same names as macros with the same values. platform.h
// must come first: included after <windows.h> its declarations would be macro-expanded into
// nonsense. gl_headers.h keeps that order; every file of this backend includes this header
// instead of <windows.h>.
#include "platform/gl_headers.h"

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
