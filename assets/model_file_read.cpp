// LoadModelFile's side of the file system: the bytes come through the platform's file mapping,
// which opens without waiting on a FIFO or a device and refuses what is not a regular file.
#include "assets/model_file_load.h"
#include "platform/platform.h"

#include <filesystem>
#include <string>

namespace {

// Why the file cannot be loaded, asked before it is opened: a FIFO opened for reading waits
// for a writer, and a device such as /dev/zero never ends. The mapping checks the type again
// for a file put in its place since. An empty text when nothing speaks against it.
std::string FileFault(const char* fileName)
{
    namespace fs = std::filesystem;
    std::error_code code;
    const fs::file_status status = fs::status(fileName, code);
    if (!fs::exists(status)) return "cannot be opened";
    if (!fs::is_regular_file(status)) return "is not a regular file";
    // NOTE: an empty file cannot be mapped, on any platform.
    if (fs::file_size(fileName, code) == 0) return "is empty";
    return std::string();
}

}  // namespace

Lib3dsFile* LoadModelFile(const char* fileName, std::string* error)
{
    std::string why = FileFault(fileName);
    MappedFile file;
    if (why.empty() && !PlatformMapFile(fileName, &file)) why = "cannot be opened";
    if (!why.empty()) {
        if (error) *error = std::string(fileName) + ": " + why;
        return nullptr;
    }
    Lib3dsFile* model = LoadModelFromMemory(file.data, file.size, fileName, error);
    PlatformUnmapFile(&file);
    return model;
}
