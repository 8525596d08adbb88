// Registry value: RegOpenKeyExA, RegQueryValueExA and RegCloseKey under HKEY_LOCAL_MACHINE.
#include "platform/win32/win32_platform.h"

long PlatformRegOpenKey(const char* subKey, RegistryKeyHandle* key)
{
    HKEY opened = nullptr;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &opened);
    *key = result == ERROR_SUCCESS ? ToHandle(opened) : nullptr;
    return result;
}

long PlatformRegQueryValue(RegistryKeyHandle key, const char* name, uint8_t* data, uint32_t* size)
{
    DWORD type = 0;
    DWORD dataSize = *size;
    LONG result = RegQueryValueExA(ToWin32(key), name, nullptr, &type, data, &dataSize);
    *size = dataSize;
    return result;
}

void PlatformRegCloseKey(RegistryKeyHandle key) { RegCloseKey(ToWin32(key)); }
