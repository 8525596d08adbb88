#include "tools/file_bytes.h"

#include <cstdio>

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* stream = std::fopen(path.c_str(), "wb");
    if (!stream) return false;
    // An empty vector's data() may be null, which fwrite must not be given even for no bytes.
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    // A full disk may show only when the buffer is flushed.
    return std::fclose(stream) == 0 && written;
}
