// A name in the system's temporary folder for one test process: CTest runs the tests of a binary
// side by side, each in a process of its own, so a fixed name would let one process read a file
// while another rewrites or removes it.
#pragma once

#include <filesystem>
#include <random>
#include <string>

inline std::filesystem::path UniqueTempPath(const std::string& stem)
{
    return std::filesystem::temp_directory_path() /
           (stem + "_" + std::to_string(std::random_device()()));
}
