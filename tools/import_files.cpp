#include "tools/import_files.h"

#include "assets/model_file_load.h"
#include "platform/platform.h"

#include <assimp/IOStream.hpp>

#include <cstring>

#include <sys/stat.h>

namespace {

// A file's bytes as the platform's mapping holds them; an empty file is a stream of no bytes.
class MappedStream : public Assimp::IOStream {
public:
    explicit MappedStream(const MappedFile& mapped) : file(mapped) {}
    ~MappedStream() override { PlatformUnmapFile(&file); }

    size_t Read(void* buffer, size_t size, size_t count) override
    {
        if (size == 0) return 0;
        const size_t whole = std::min(count, (file.size - position) / size);
        std::memcpy(buffer, file.data + position, whole * size);
        position += whole * size;
        return whole;
    }
    size_t Write(const void*, size_t, size_t) override { return 0; }
    aiReturn Seek(size_t offset, aiOrigin origin) override
    {
        const size_t base = origin == aiOrigin_SET   ? 0
                            : origin == aiOrigin_CUR ? position
                                                     : file.size;
        if (offset > file.size - base) return aiReturn_FAILURE;
        position = base + offset;
        return aiReturn_SUCCESS;
    }
    size_t Tell() const override { return position; }
    size_t FileSize() const override { return file.size; }
    void Flush() override {}

private:
    MappedFile file;
    size_t position = 0;
};

}  // namespace

bool ImportFiles::Exists(const char* path) const
{
    struct stat status;
    return stat(path, &status) == 0;
}

Assimp::IOStream* ImportFiles::Open(const char* path, const char* mode)
{
    if (std::strchr(mode, 'w') || std::strchr(mode, 'a') || std::strchr(mode, '+')) return nullptr;
    MappedFile file;
    const MapFileResult result = PlatformMapFile(path, &file);
    if (result == MapFileResult::Mapped || result == MapFileResult::Empty)
        return new MappedStream(file);
    if (result == MapFileResult::NotRegularFile && refusal.empty())
        refusal = std::string(path) + ": " + MapFileFault(result);
    return nullptr;
}

void ImportFiles::Close(Assimp::IOStream* stream) { delete stream; }
