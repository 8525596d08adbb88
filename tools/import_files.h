// How `import` lets assimp at the user's files: the model and every file it names (an OBJ's
// .mtl, a glTF's .bin) are read through the platform's file mapping, like every other file the
// tool and the program read. assimp's own access opens with fopen, which waits for ever on a
// FIFO and reads a device without end.
#pragma once

#include <assimp/IOSystem.hpp>

#include <string>

class ImportFiles : public Assimp::IOSystem {
public:
    // Whether something is there by that name, asked without opening it; what it is, is Open's
    // to say.
    bool Exists(const char* path) const override;
    char getOsSeparator() const override { return '/'; }
    // Read access only (the importers never write); null for a file that cannot be read.
    Assimp::IOStream* Open(const char* path, const char* mode) override;
    void Close(Assimp::IOStream* stream) override;

    // The first file refused for what it is, as `check` says it ("m.mtl: is not a regular
    // file"); empty when none was. assimp goes on without a side file it could not open, so the
    // importer asks here afterwards.
    const std::string& Refusal() const { return refusal; }

private:
    std::string refusal;
};
