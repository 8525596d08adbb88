// The process entry of the Windows build.
//
// NOTE: Windows compilers treat the name WinMain like main: MinGW's GCC gives it C linkage
// whatever its parameters, and MSVC refuses to overload it. The program's WinMain (declared in
// platform.h, defined in app/) is therefore itself the WinMain the C runtime calls: platform.h
// makes its instance handle HINSTANCE's own type, so its declaration is the system's, and on x86-64
// WINAPI is the one calling convention. On 32-bit x86 the system's WinMain is __stdcall
// (_WinMain@16), which the program's is not.
#include "platform/platform.h"

#ifndef _WIN64
#error "The win32 backend's entry relies on the x86-64 calling convention (see above)."
#endif

// NOTE: the program's WinMain lives in the dot3bump_app library, and the runtime's reference
// to it comes last on the GNU linker's command line, after that library has been scanned. This
// reference from the executable's own object file is what brings WinMain into the link.
extern int (*const win32ProgramEntry)(InstanceHandle, InstanceHandle, char*, int);
int (*const win32ProgramEntry)(InstanceHandle, InstanceHandle, char*, int) = &WinMain;
