// Reading a registry key from a file in the registry editor's export format, so that a .reg file
// exported on Windows configures the Linux build unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RegFileValue {
    std::string name;           // "" for the key's default value (@)
    std::vector<uint8_t> data;  // the raw bytes RegQueryValueExA would return
};

struct RegFileKey {
    bool found = false;  // the file has the key (and does not delete it again)
    std::vector<RegFileValue> values;
};

struct RegFileError {
    int line = 0;  // 1-based; 0 when the problem is not on one line
    std::string message;
};

// Parses a whole file (UTF-16LE with its byte-order mark, as regedit writes it, or 8-bit/UTF-8)
// and collects the values of `keyPath` (e.g. "HKEY_LOCAL_MACHINE\Software\..."; compared
// without regard to case, like every registry name). False on the first malformed line.
bool ParseRegFile(const std::string& bytes, const std::string& keyPath, RegFileKey* key,
                  RegFileError* error);
