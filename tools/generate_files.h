// The program's four data files, the same bytes on every run and every platform.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct DataFile {
    const char* name;  // as the program opens it
    std::vector<uint8_t> bytes;
};

// cube.3ds, sphere.3ds, tex.bmp and map_normal.bmp. Empty, with *error set, on failure.
std::vector<DataFile> MakeDataFiles(std::string* error);

// Writes the four files into `folder`, creating it when missing. False, with *error set (naming
// the file), on failure.
bool WriteDataFiles(const std::filesystem::path& folder, std::string* error);
