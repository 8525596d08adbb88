// Window: the class with a real window procedure that hands every message to the program's
// WindowProcedure, the popup window, and the calls that show, focus, size and destroy it.
#include "platform/win32/win32_platform.h"

#include <string>
#include <vector>

namespace {

struct ClassProcedure {
    ATOM atom;
    std::string className;
    WindowProcedure procedure;
};

// The program's procedure for each class registered here. The class itself has no extra
// bytes (the class asks for no extra bytes), so the procedure cannot live there.
std::vector<ClassProcedure>& ClassProcedures()
{
    static std::vector<ClassProcedure> procedures;
    return procedures;
}

WindowProcedure ProcedureOfClass(ATOM atom)
{
    for (const ClassProcedure& entry : ClassProcedures()) {
        if (entry.atom == atom) {
            return entry.procedure;
        }
    }
    return nullptr;
}

// Runs inside DispatchMessageA and inside the calls that send messages synchronously
// (CreateWindowExA, ShowWindow, DestroyWindow, ChangeDisplaySettingsA, ...).
LRESULT CALLBACK Win32WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto atom = static_cast<ATOM>(GetClassWord(window, GCW_ATOM));
    WindowProcedure procedure = ProcedureOfClass(atom);
    if (procedure == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return procedure(ToHandle(window), message, wParam, lParam);
}

}  // namespace

void PlatformRegisterWindowClass(InstanceHandle instance, const char* className,
                                 WindowProcedure procedure)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = Win32WindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = ToWin32(instance);
    windowClass.hIcon = nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className;
    ATOM atom = RegisterClassA(&windowClass);
    // A failed registration (the class exists already) keeps the procedure it had.
    if (atom != 0) {
        ClassProcedures().push_back({atom, className, procedure});
    }
}

void PlatformUnregisterWindowClass(const char* className, InstanceHandle instance)
{
    if (!UnregisterClassA(className, ToWin32(instance))) {
        return;
    }
    // Class names compare without regard to case, as Win32 compares them.
    auto& procedures = ClassProcedures();
    for (auto entry = procedures.begin(); entry != procedures.end(); ++entry) {
        if (lstrcmpiA(entry->className.c_str(), className) == 0) {
            procedures.erase(entry);
            return;
        }
    }
}

WindowHandle PlatformCreatePopupWindow(InstanceHandle instance, const char* className,
                                       const char* title, int width, int height)
{
    HWND window = CreateWindowExA(0, className, title, WS_POPUP, 0, 0, width, height, nullptr,
                                  nullptr, ToWin32(instance), nullptr);
    return ToHandle(window);
}

void PlatformDestroyWindow(WindowHandle window) { DestroyWindow(ToWin32(window)); }

void PlatformShowWindow(WindowHandle window, int showCommand)
{
    ShowWindow(ToWin32(window), showCommand);
}

void PlatformUpdateWindow(WindowHandle window) { UpdateWindow(ToWin32(window)); }

void PlatformSetFocus(WindowHandle window) { SetFocus(ToWin32(window)); }

WindowHandle PlatformGetFocus() { return ToHandle(GetFocus()); }

void PlatformGetClientSize(WindowHandle window, int32_t* width, int32_t* height)
{
    RECT client = {};
    GetClientRect(ToWin32(window), &client);
    *width = client.right - client.left;
    *height = client.bottom - client.top;
}
