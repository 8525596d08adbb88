// `dot3bump-assets check`: a data file loaded the way the program loads it, without a window or
// a rendering context, and summed up in one line.
#pragma once

#include <string>

struct FileCheck {
    bool loaded = false;
    // What the program will show, e.g. "<path>: bitmap 256 x 256, 24 bits per pixel, sides
    // powers of two" or "<path>: mesh Cube, 24 points, 12 faces, 36 vertices; box 20 x 20 x 20
    // around (0, 0, 0), 1 x the shipped cube; not mirrored; every face has an area and a
    // texture mapping", or the loader's error, prefixed with the path where the loader does not
    // name the file.
    std::string line;
};

// Files named *.3ds (any case), or starting with the 3DS magic chunk id, are models; anything
// else is a bitmap.
FileCheck CheckDataFile(const std::string& path);
