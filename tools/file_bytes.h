#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `bytes` to a new file at `path`, replacing any file there; false when that fails.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
