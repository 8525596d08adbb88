// The program's one way to read a 3DS model: the file is read once, checked by CheckModelFile,
// handed to lib3ds from memory, and the result is checked for the mesh the program draws.
#pragma once

#include "platform/platform.h"

#include <lib3ds/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

// Loads the 3DS file `fileName` (opened by that name, never a second time; a FIFO, a folder or a
// device is refused without waiting on it). On success the file has a first keyframer node,
// exactly one mesh of that node's name, and that mesh has points, faces, one texture coordinate
// per point, and finite coordinates and face normals. Otherwise the result is null and *error
// (when not null) starts with the file name and says why. The caller releases a result with
// lib3ds_file_free.
Lib3dsFile* LoadModelFile(const char* fileName, std::string* error);

// The same for a file already in memory; `label` stands for the file name in errors.
Lib3dsFile* LoadModelFromMemory(const uint8_t* data, size_t size, const char* label,
                                std::string* error);

// The mesh the program draws: the one named like the first node of `file`; null when there is
// none.
Lib3dsMesh* FindModelMesh(Lib3dsFile* file);

// Why a file could not be mapped, as the loader's errors say it after the file name ("is not a
// regular file"); empty for a mapped file.
const char* MapFileFault(MapFileResult result);

// One line for listings, e.g. "Box01: 26 points, 12 faces".
std::string DescribeModelFile(Lib3dsFile* file);
