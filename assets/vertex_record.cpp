#include "assets/vertex_record.h"

#include <lib3ds/mesh.h>

#include <cstdlib>

void ComputeTangentBasis(VertexRecord corner0, VertexRecord corner1, VertexRecord corner2,
                         const Vec3d& faceNormal, Vec3d& outS, Vec3d& outT)
{
    const Vec3d& p0 = corner0.position;
    const Vec3d& p1 = corner1.position;
    const Vec3d& p2 = corner2.position;
    const Vec3d d0{p0.x - p1.x, p0.y - p1.y, p0.z - p1.z};
    const Vec3d d2{p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
    const double du0 = double(corner0.texCoord[0]) - double(corner1.texCoord[0]);
    const double du2 = double(corner2.texCoord[0]) - double(corner1.texCoord[0]);

    // The combination of the two edges along which u does not change.
    Vec3d t{du2 * d0.x - du0 * d2.x, du2 * d0.y - du0 * d2.y, du2 * d0.z - du0 * d2.z};
    NormalizeVec3(t);
    outT = t;

    const Vec3d& n = faceNormal;
    Vec3d s{t.y * n.z - t.z * n.y, t.z * n.x - t.x * n.z, t.x * n.y - t.y * n.x};
    NormalizeVec3(s);
    outS = s;
}

VertexRecord* BuildVertexRecords(const Lib3dsMesh& mesh, uint32_t* vertexCount)
{
    *vertexCount = 0;
    const uint32_t count = 3 * uint32_t(mesh.faces);
    // One byte at least, so that an empty mesh still gets an array to free.
    auto* records =
        static_cast<VertexRecord*>(std::malloc(count ? count * sizeof(VertexRecord) : 1));
    if (!records) return nullptr;
    for (uint32_t f = 0; f < mesh.faces; ++f) {
        const Lib3dsFace& face = mesh.faceL[f];
        VertexRecord* corner = records + 3 * f;
        for (int k = 0; k < 3; ++k) {
            const unsigned point = face.points[k];
            if (point >= mesh.points || point >= mesh.texels) {
                std::free(records);
                return nullptr;
            }
            const float* p = mesh.pointL[point].pos;
            corner[k].position = {p[0], p[1], p[2]};
            corner[k].texCoord[0] = mesh.texelL[point][0];
            corner[k].texCoord[1] = mesh.texelL[point][1];
        }
        const Vec3d normal{face.normal[0], face.normal[1], face.normal[2]};
        Vec3d s, t;
        ComputeTangentBasis(corner[0], corner[1], corner[2], normal, s, t);
        for (int k = 0; k < 3; ++k) {
            corner[k].axisS = s;
            corner[k].axisT = t;
            corner[k].axisR = normal;
        }
    }
    *vertexCount = count;
    return records;
}
