// The geometry of the two models, laid out for the tangent basis of mesh preparation.
//
// Every triangle runs counter-clockwise seen from outside, and its texture coordinates run
// counter-clockwise too (u to the right, v upward, seen from outside): the texture is never
// mirrored on the surface. On such a triangle the basis that mesh preparation computes has
// axisT along increasing v and axisS = axisT x normal along increasing u, which is the frame the
// normal map is written in. Points are not shared across a change of texture coordinate, so each
// point carries exactly one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct MeshData {
    std::string name;  // also the name of the model's keyframer node
    std::vector<std::array<float, 3>> points;
    std::vector<std::array<float, 2>> texels;  // one per point
    std::vector<std::array<uint16_t, 3>> faces;
    // The mesh matrix, indexed as lib3ds indexes it (translation in [3][0..2]). The program
    // ignores it, but one of negative determinant marks an object mirrored in a modelling
    // program, whose points lib3ds mirrors in the mesh's own frame as it writes and reads them.
    std::array<std::array<float, 4>, 4> matrix = {
        {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
};

constexpr float kCubeHalfSize = 10.0f;
constexpr float kSphereRadius = 25.0f;

// Six faces of two triangles, the whole texture on each, upright on the four sides.
MeshData MakeCubeMesh();

// A UV sphere about the z axis (the scene turns it to stand upright): u runs once around from
// the +x axis towards +y, v from the south pole (z = -radius) to the north pole. The seam column
// is doubled so that u reaches 1 without wrapping, and the poles are fans of one triangle per
// column, each with its own pole point at the column's middle u.
MeshData MakeSphereMesh();

// The same sphere with `bands` bands from pole to pole (a multiple of 4) and twice as many
// columns: 4 x bands x (bands - 1) faces. The shipped sphere has 24 bands (2208 faces); 128
// bands (65,024 faces, 33,151 points) come close to the most a 3DS mesh holds.
MeshData MakeUvSphereMesh(int bands);
