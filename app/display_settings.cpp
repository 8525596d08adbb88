#include "app/display_settings.h"

#include "platform/platform.h"

#include <iterator>

namespace {

const char* const kRegistryKey = "Software\\Quorvane\\Telmarix - practice";

struct SettingValue {
    const char* name;
    int32_t DisplaySettings::*field;
};

const SettingValue kValues[] = {
    {"Width", &DisplaySettings::width},
    {"Height", &DisplaySettings::height},
    {"BitsPerPixel", &DisplaySettings::bitsPerPixel},
    {"Frequency", &DisplaySettings::frequency},
};

}  // namespace

void ReadDisplaySettings()
{
    const DisplaySettings defaults;
    displaySettings = defaults;

    RegistryKeyHandle key = nullptr;
    if (PlatformRegOpenKey(kRegistryKey, &key) != ERROR_SUCCESS) return;

    // One size serves all four queries and is never reset: a value shorter than four bytes
    // shrinks the buffer that the next query may use, exactly as the registry API reports it.
    uint32_t size = sizeof(int32_t);
    for (const SettingValue& value : kValues) {
        int32_t* field = &(displaySettings.*value.field);
        if (PlatformRegQueryValue(key, value.name, reinterpret_cast<uint8_t*>(field), &size) !=
            ERROR_SUCCESS) {
            PlatformRegCloseKey(key);
            for (const SettingValue* rest = &value; rest != std::end(kValues); ++rest)
                displaySettings.*rest->field = defaults.*rest->field;
            return;
        }
    }
    PlatformRegCloseKey(key);
}
