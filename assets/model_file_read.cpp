// LoadModelFile's side of the file system: the bytes come through the platform's file mapping,
// which opens without waiting on a FIFO or a device and refuses what is not a regular file.
#include "assets/model_file_load.h"
#include "platform/platform.h"

#include <string>

const char* MapFileFault(MapFileResult result)
{
    switch (result) {
    case MapFileResult::Mapped: return "";
    case MapFileResult::NotRegularFile: return "is not a regular file";
    case MapFileResult::Empty: return "is empty";
    case MapFileResult::CannotOpen: break;
    }
    return "cannot be opened";
}

Lib3dsFile* LoadModelFile(const char* fileName, std::string* error)
{
    MappedFile file;
    const MapFileResult mapped = PlatformMapFile(fileName, &file);
    if (mapped != MapFileResult::Mapped) {
        if (error) *error = std::string(fileName) + ": " + MapFileFault(mapped);
        return nullptr;
    }
    Lib3dsFile* model = LoadModelFromMemory(file.data, file.size, fileName, error);
    PlatformUnmapFile(&file);
    return model;
}
