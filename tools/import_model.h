// `dot3bump-assets import`: a model of the common interchange formats (OBJ, glTF, FBX, 3DS...),
// read through assimp, written as a 3DS file the program draws in place of one of its models.
#pragma once

#include <string>

// Which shipped model the imported one takes the place of: it is centred and scaled to the
// shipped one's size (a cube of half-size 10, a sphere of radius 25).
enum class ModelSlot { Cube, Sphere };

struct ImportRequest {
    std::string input;
    std::string output;
    ModelSlot slot = ModelSlot::Cube;
    std::string meshName;  // only the meshes of this name; all of them when empty
};

// False when this build has no importer (the Windows build).
bool ImportAvailable();

// Reads, merges, fits and writes the model, then loads the result the way the program does. True
// with *message holding `check`'s line for the written file; false with *message saying why
// the model cannot be drawn, with the numbers.
bool ImportModel(const ImportRequest& request, std::string* message);
