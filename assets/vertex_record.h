// A mesh unrolled into one record per triangle corner, each with its triangle's tangent basis.
#pragma once

#include "math/vec3d.h"

#include <lib3ds/types.h>

#include <cstdint>

struct VertexRecord {
    Vec3d position;     // object space, the mesh point widened to double
    float texCoord[2];  // u, v as the mesh stores them
    Vec3d axisS;        // unit: normalise(axisT x axisR); s = L . axisS
    Vec3d axisT;        // unit: the direction in the triangle along which u stays constant
    Vec3d axisR;        // the face normal as the mesh gives it, not renormalised
};

// The tangent basis of one flat triangle from its corners' positions and u coordinates (v is not
// used) and its face normal; all arithmetic in double precision.
void ComputeTangentBasis(VertexRecord corner0, VertexRecord corner1, VertexRecord corner2,
                         const Vec3d& faceNormal, Vec3d& outS, Vec3d& outT);

// Unrolls `mesh` into 3 x faces records (malloc'ed; the caller frees them) with each triangle's
// basis. Null when the mesh has a face index past its points or texels, or memory runs out;
// a mesh without faces gives a valid zero-length array.
VertexRecord* BuildVertexRecords(const Lib3dsMesh& mesh, uint32_t* vertexCount);
