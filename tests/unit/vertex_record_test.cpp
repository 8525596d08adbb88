#include "assets/vertex_record.h"

#include <lib3ds/mesh.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

VertexRecord Corner(double x, double y, double z, float u, float v = 0.0f)
{
    VertexRecord record{};
    record.position = {x, y, z};
    record.texCoord[0] = u;
    record.texCoord[1] = v;
    return record;
}

void ExpectVec(const Vec3d& actual, double x, double y, double z)
{
    EXPECT_NEAR(actual.x, x, 1e-12);
    EXPECT_NEAR(actual.y, y, 1e-12);
    EXPECT_NEAR(actual.z, z, 1e-12);
}

}  // namespace

TEST(ComputeTangentBasis, RightTriangleWithUAlongX)
{
    Vec3d s, t;
    ComputeTangentBasis(Corner(1, 0, 0, 1), Corner(0, 0, 0, 0), Corner(0, 1, 0, 0), {0, 0, 1}, s,
                        t);
    ExpectVec(t, 0, -1, 0);
    ExpectVec(s, -1, 0, 0);
}

TEST(ComputeTangentBasis, EqualUGivesTheFallbackAxis)
{
    Vec3d s, t;
    ComputeTangentBasis(Corner(1, 0, 0, 0.5f), Corner(0, 0, 0, 0.5f), Corner(0, 1, 0, 0.5f),
                        {0, 0, 1}, s, t);
    ExpectVec(t, 1, 0, 0);
    ExpectVec(s, 0, -1, 0);  // (1, 0, 0) x (0, 0, 1)
    // With the normal along x as well, the cross product vanishes and falls back again.
    ComputeTangentBasis(Corner(0, 1, 0, 0.5f), Corner(0, 0, 0, 0.5f), Corner(0, 0, 1, 0.5f),
                        {1, 0, 0}, s, t);
    ExpectVec(s, 1, 0, 0);
}

TEST(ComputeTangentBasis, VCoordinatesChangeNothing)
{
    Vec3d s1, t1, s2, t2;
    ComputeTangentBasis(Corner(2, 0, 1, 0.3f, 0.1f), Corner(0, 1, 0, 0.7f, 0.2f),
                        Corner(1, 3, 0, 0.2f, 0.9f), {0, 0, 1}, s1, t1);
    ComputeTangentBasis(Corner(2, 0, 1, 0.3f, 0.8f), Corner(0, 1, 0, 0.7f, 0.0f),
                        Corner(1, 3, 0, 0.2f, 0.4f), {0, 0, 1}, s2, t2);
    ExpectVec(s2, s1.x, s1.y, s1.z);
    ExpectVec(t2, t1.x, t1.y, t1.z);
}

namespace {

struct Mesh {
    Lib3dsMesh* mesh = lib3ds_mesh_new("m");
    ~Mesh() { lib3ds_mesh_free(mesh); }
};

}  // namespace

TEST(BuildVertexRecords, UnrollsCornersWithFlatBasisAndTheNormalUnscaled)
{
    Mesh m;
    ASSERT_TRUE(lib3ds_mesh_new_point_list(m.mesh, 4));
    ASSERT_TRUE(lib3ds_mesh_new_texel_list(m.mesh, 4));
    ASSERT_TRUE(lib3ds_mesh_new_face_list(m.mesh, 2));
    const float points[4][3] = {{1, 0, 0}, {0, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    for (int i = 0; i < 4; ++i) {
        for (int c = 0; c < 3; ++c) m.mesh->pointL[i].pos[c] = points[i][c];
        m.mesh->texelL[i][0] = points[i][0];
        m.mesh->texelL[i][1] = points[i][1];
    }
    const unsigned short faces[2][3] = {{0, 1, 2}, {0, 2, 3}};  // sharing points 0 and 2
    for (int f = 0; f < 2; ++f) {
        for (int k = 0; k < 3; ++k) m.mesh->faceL[f].points[k] = faces[f][k];
        m.mesh->faceL[f].normal[2] = 2.0f;  // not unit: kept as given
    }
    uint32_t count = 0;
    VertexRecord* records = BuildVertexRecords(*m.mesh, &count);
    ASSERT_NE(records, nullptr);
    ASSERT_EQ(count, 6u);
    ExpectVec(records[0].axisT, 0, -1, 0);
    for (uint32_t i = 0; i < count; ++i) ExpectVec(records[i].axisR, 0, 0, 2);
    for (int k = 1; k < 3; ++k)
        ExpectVec(records[k].axisS, records[0].axisS.x, records[0].axisS.y, records[0].axisS.z);
    ExpectVec(records[5].position, 1, 1, 0);
    EXPECT_EQ(records[5].texCoord[1], 1.0f);
    std::free(records);
}

TEST(BuildVertexRecords, EmptyMeshGivesAnEmptyArrayAndBadIndicesGiveNone)
{
    Mesh m;
    uint32_t count = 7;
    VertexRecord* records = BuildVertexRecords(*m.mesh, &count);
    EXPECT_NE(records, nullptr);
    EXPECT_EQ(count, 0u);
    std::free(records);

    ASSERT_TRUE(lib3ds_mesh_new_point_list(m.mesh, 3));
    ASSERT_TRUE(lib3ds_mesh_new_texel_list(m.mesh, 2));  // one texel short
    ASSERT_TRUE(lib3ds_mesh_new_face_list(m.mesh, 1));
    for (int k = 0; k < 3; ++k) m.mesh->faceL[0].points[k] = (unsigned short)k;
    EXPECT_EQ(BuildVertexRecords(*m.mesh, &count), nullptr);
    EXPECT_EQ(count, 0u);
}
