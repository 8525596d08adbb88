// The registry key lives in "<config dir>/<key path below Software>.reg", searched in
// $XDG_CONFIG_HOME (default ~/.config), then in $XDG_CONFIG_DIRS (default /etc/xdg).
#include "platform/platform.h"
#include "platform/sdl/sdl_reg_file.h"

#include <strings.h>
#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

struct PlatformRegistryKey {
    std::vector<RegFileValue> values;
};

namespace {

std::vector<std::string> ConfigDirectories()
{
    std::vector<std::string> directories;
    const char* home = std::getenv("XDG_CONFIG_HOME");
    if (home && *home) {
        directories.push_back(home);
    } else if (const char* user = std::getenv("HOME"); user && *user) {
        directories.push_back(std::string(user) + "/.config");
    }
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::stringstream list(dirs && *dirs ? dirs : "/etc/xdg");
    for (std::string dir; std::getline(list, dir, ':');)
        if (!dir.empty()) directories.push_back(dir);
    return directories;
}

// "Software\Quorvane\Telmarix - practice" -> "Quorvane/Telmarix - practice.reg"
std::string RelativeFileName(std::string subKey)
{
    const char prefix[] = "Software\\";
    if (strncasecmp(subKey.c_str(), prefix, sizeof prefix - 1) == 0)
        subKey.erase(0, sizeof prefix - 1);
    for (char& c : subKey)
        if (c == '\\') c = '/';
    return subKey + ".reg";
}

bool IsRegularFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

long PlatformRegOpenKey(const char* subKey, RegistryKeyHandle* key)
{
    const std::string relative = RelativeFileName(subKey);
    for (const std::string& directory : ConfigDirectories()) {
        const std::string path = directory + "/" + relative;
        if (!IsRegularFile(path)) continue;

        // The first file found is the configuration; a broken one is not skipped in favour of
        // the next, so that what the user wrote is never silently ignored.
        std::ifstream stream(path, std::ios::binary);
        std::stringstream bytes;
        bytes << stream.rdbuf();
        if (!stream) {
            std::fprintf(stderr,
                         "dot3bump: %s: cannot be read; using the default display "
                         "settings\n",
                         path.c_str());
            return ERROR_FILE_NOT_FOUND;
        }
        RegFileKey parsed;
        RegFileError error;
        if (!ParseRegFile(bytes.str(), std::string("HKEY_LOCAL_MACHINE\\") + subKey, &parsed,
                          &error)) {
            std::fprintf(stderr, "dot3bump: %s:%d: %s; using the default display settings\n",
                         path.c_str(), error.line, error.message.c_str());
            return ERROR_FILE_NOT_FOUND;
        }
        if (!parsed.found) return ERROR_FILE_NOT_FOUND;
        *key = new PlatformRegistryKey{std::move(parsed.values)};
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

long PlatformRegQueryValue(RegistryKeyHandle key, const char* name, uint8_t* data, uint32_t* size)
{
    for (const RegFileValue& value : key->values) {
        if (strcasecmp(value.name.c_str(), name) != 0) continue;
        const auto needed = static_cast<uint32_t>(value.data.size());
        const bool fits = needed <= *size;
        *size = needed;
        if (!data) return ERROR_SUCCESS;
        if (!fits) return ERROR_MORE_DATA;
        std::memcpy(data, value.data.data(), needed);
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

void PlatformRegCloseKey(RegistryKeyHandle key) { delete key; }
