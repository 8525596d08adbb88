// The generated data files, read back through the program's own loaders: bitmaps the upload
// takes as they are, meshes that face outward and fit the view, and a normal map whose bumps are
// lit from the side the light is on, in the basis mesh preparation gives every triangle.
#include "assets/bitmap_image.h"
#include "assets/model_file_load.h"
#include "assets/vertex_record.h"
#include "tests/unique_temp_path.h"
#include "tools/brick_pattern.h"
#include "tools/generate_files.h"
#include "tools/normal_map.h"

#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

struct ImageDeleter {
    void operator()(RgbImage* image) const
    {
        std::free(image->pixels);
        delete image;
    }
};
struct FileDeleter {
    void operator()(Lib3dsFile* file) const { lib3ds_file_free(file); }
};
struct RecordsDeleter {
    void operator()(VertexRecord* records) const { std::free(records); }
};
using Image = std::unique_ptr<RgbImage, ImageDeleter>;
using Model = std::unique_ptr<Lib3dsFile, FileDeleter>;
using Records = std::unique_ptr<VertexRecord[], RecordsDeleter>;

Vec3d operator-(const Vec3d& a, const Vec3d& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3d operator+(const Vec3d& a, const Vec3d& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3d operator*(double k, const Vec3d& v) { return {k * v.x, k * v.y, k * v.z}; }
double Dot(const Vec3d& a, const Vec3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Length(const Vec3d& v) { return std::sqrt(Dot(v, v)); }

class DataFilesTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = UniqueTempPath("dot3bump_data_files");
        std::string error;
        ASSERT_TRUE(WriteDataFiles(folder, &error)) << error;
    }
    static void TearDownTestSuite() { fs::remove_all(folder); }

    static std::string Path(const char* name) { return (folder / name).string(); }

    static Image ReadImage(const char* name)
    {
        char message[kImageMessageSize];
        Image image(ReadBitmapImage(Path(name).c_str(), message));
        EXPECT_TRUE(image) << name << ": " << message;
        return image;
    }

    static Model LoadModel(const char* name)
    {
        std::string error;
        Model model(LoadModelFile(Path(name).c_str(), &error));
        EXPECT_TRUE(model) << error;
        return model;
    }

    static fs::path folder;
};

fs::path DataFilesTest::folder;

// ---- The normal map against the tangent basis --------------------------------------------

// The direction across a triangle in which texture coordinate `which` grows fastest, scaled so
// that its dot product with an edge is the coordinate's change along that edge.
Vec3d TexCoordGradient(const VertexRecord* corner, int which)
{
    const Vec3d e1 = corner[1].position - corner[0].position;
    const Vec3d e2 = corner[2].position - corner[0].position;
    const double d1 = double(corner[1].texCoord[which]) - corner[0].texCoord[which];
    const double d2 = double(corner[2].texCoord[which]) - corner[0].texCoord[which];
    const double g11 = Dot(e1, e1), g12 = Dot(e1, e2), g22 = Dot(e2, e2);
    const double det = g11 * g22 - g12 * g12;
    return ((g22 * d1 - g12 * d2) / det) * e1 + ((g11 * d2 - g12 * d1) / det) * e2;
}

// Whether the point (u, v) lies inside the triangle's texture-coordinate triangle, clear of its
// edges, where a texel may belong to the neighbour.
bool CoversTexCoord(const VertexRecord* corner, double u, double v)
{
    double weights[3];
    for (int k = 0; k < 3; ++k) {
        const float* a = corner[(k + 1) % 3].texCoord;
        const float* b = corner[(k + 2) % 3].texCoord;
        weights[k] = (double(b[0]) - a[0]) * (v - a[1]) - (double(b[1]) - a[1]) * (u - a[0]);
    }
    const double sum = weights[0] + weights[1] + weights[2];
    return std::all_of(weights, weights + 3, [sum](double w) { return w / sum > 1e-3; });
}

// The height field's slope at a texel centre, in height per texel, where the slope is the same
// at the texel's neighbours (so the map's own differences see it whole); false elsewhere.
bool BevelSlope(int x, int y, double* dx, double* dy)
{
    const double cx = x + 0.5, cy = y + 0.5;
    const double h = 0.25;
    *dx = (BrickHeight(cx + h, cy) - BrickHeight(cx - h, cy)) / (2 * h);
    *dy = (BrickHeight(cx, cy + h) - BrickHeight(cx, cy - h)) / (2 * h);
    const double wideX = (BrickHeight(cx + 1, cy) - BrickHeight(cx - 1, cy)) / 2;
    const double wideY = (BrickHeight(cx, cy + 1) - BrickHeight(cx, cy - 1)) / 2;
    const bool steep = std::hypot(*dx, *dy) > 0.8 / kBevelWidth;
    return steep && std::abs(wideX - *dx) < 1e-9 && std::abs(wideY - *dy) < 1e-9;
}

struct Agreement {
    int texels = 0;       // bevel texels compared
    int misaligned = 0;   // whose tilt points away from the downhill direction
    std::string example;  // the first of those
};

// For every bevel texel that a triangle covers: the texel's normal, taken into object space
// through the triangle's (axisS, axisT, axisR), must lean the way the height field falls across
// that triangle in object space, so that the face of the bevel turned towards the light is the
// lit one. Where the slope runs along u or v alone, the two directions must match closely;
// where it runs along both, the sphere's unequal texel sizes turn it, but never by 90 degrees.
void CompareWithHeightField(const Lib3dsMesh& mesh, const RgbImage& normalMap, Agreement* agreement)
{
    uint32_t count = 0;
    Records records(BuildVertexRecords(mesh, &count));
    ASSERT_TRUE(records);
    const int size = normalMap.width;
    for (uint32_t f = 0; f < count / 3; ++f) {
        const VertexRecord* corner = &records[3 * f];
        const Vec3d gradientU = TexCoordGradient(corner, 0);
        const Vec3d gradientV = TexCoordGradient(corner, 1);
        float low[2], high[2];
        for (int c = 0; c < 2; ++c) {
            low[c] =
                std::min({corner[0].texCoord[c], corner[1].texCoord[c], corner[2].texCoord[c]});
            high[c] =
                std::max({corner[0].texCoord[c], corner[1].texCoord[c], corner[2].texCoord[c]});
        }
        for (int y = int(low[1] * size); y < std::min(size, int(high[1] * size) + 1); ++y) {
            for (int x = int(low[0] * size); x < std::min(size, int(high[0] * size) + 1); ++x) {
                double dx, dy;
                if (!CoversTexCoord(corner, (x + 0.5) / size, (y + 0.5) / size) ||
                    !BevelSlope(x, y, &dx, &dy))
                    continue;
                const Vec3d downhill = (-dx * size) * gradientU + (-dy * size) * gradientV;
                const uint8_t* texel = normalMap.pixels + (size_t(y) * size + x) * 3;
                const double s = texel[0] / 127.5 - 1, t = texel[1] / 127.5 - 1;
                const Vec3d lean = s * corner[0].axisS + t * corner[0].axisT;
                const double cosine = Dot(lean, downhill) / (Length(lean) * Length(downhill));
                const bool alongOneAxis = dx == 0 || dy == 0;
                ++agreement->texels;
                if (cosine > (alongOneAxis ? 0.95 : 0.0)) continue;
                if (agreement->misaligned++ == 0) {
                    agreement->example = "face " + std::to_string(f) + ", texel (" +
                                         std::to_string(x) + ", " + std::to_string(y) +
                                         "): cosine " + std::to_string(cosine);
                }
            }
        }
    }
}

}  // namespace

TEST_F(DataFilesTest, BitmapsAre256Square24BitWithOutwardNormals)
{
    for (const char* name : {"tex.bmp", "map_normal.bmp"}) {
        Image image = ReadImage(name);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 256) << name;
        EXPECT_EQ(image->height, 256) << name;
        // Rows of 3 x width bytes upload correctly with OpenGL's default alignment of 4.
        EXPECT_EQ(image->width % 4, 0) << name;
    }
    Image normalMap = ReadImage("map_normal.bmp");
    ASSERT_TRUE(normalMap);
    const uint8_t* pixels = normalMap->pixels;
    size_t flat = 0, inward = 0, notUnit = 0;
    for (size_t i = 0; i < size_t(256) * 256 * 3; i += 3) {
        const double n[3] = {pixels[i] / 127.5 - 1, pixels[i + 1] / 127.5 - 1,
                             pixels[i + 2] / 127.5 - 1};
        if (pixels[i] == 128 && pixels[i + 1] == 128 && pixels[i + 2] == 255) ++flat;
        if (n[2] <= 0) ++inward;
        if (std::abs(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) - 1) > 0.02) ++notUnit;
    }
    EXPECT_EQ(inward, 0u);
    EXPECT_EQ(notUnit, 0u);
    // Brick faces and mortar are flat; only the bevels lean.
    EXPECT_GT(flat, size_t(256 * 256 / 2));
    EXPECT_LT(flat, size_t(256 * 256));
}

TEST_F(DataFilesTest, MeshesLoadFaceOutwardAndAreNamedByTheirNode)
{
    for (const char* name : {"cube.3ds", "sphere.3ds"}) {
        Model model = LoadModel(name);
        ASSERT_TRUE(model);
        Lib3dsMesh* mesh = FindModelMesh(model.get());
        ASSERT_TRUE(mesh) << name;
        EXPECT_EQ(model->meshes, mesh) << name << " holds one mesh";
        EXPECT_EQ(mesh->next, nullptr) << name;
        EXPECT_EQ(model->nodes->next, nullptr) << name << " holds one node";
        EXPECT_EQ(mesh->texels, mesh->points) << name;
        // lib3ds takes each face normal from the corners' order; the draw's basis and back-face
        // culling both rely on it pointing away from the body's centre, the origin.
        int inward = 0;
        for (Lib3dsDword f = 0; f < mesh->faces; ++f) {
            const Lib3dsFace& face = mesh->faceL[f];
            double centroidDotNormal = 0;
            for (int axis = 0; axis < 3; ++axis) {
                double centroid = 0;
                for (int k = 0; k < 3; ++k) centroid += mesh->pointL[face.points[k]].pos[axis];
                centroidDotNormal += centroid * face.normal[axis];
            }
            if (centroidDotNormal <= 0) ++inward;
        }
        EXPECT_EQ(inward, 0) << name;
    }
}

TEST_F(DataFilesTest, ModelsAreSeenWholeAtTheirSceneScaleAndPlace)
{
    // The scene's fixed placement: scale, x position; the camera 0.07 in front looking down -z
    // with a 45 degree vertical field of view and the near plane at 0.01, on a 4:3 screen (the
    // narrowest the display settings allow). The bounding sphere must fit whatever the spin.
    struct Placement {
        const char* name;
        double scale, x;
    };
    const double pi = std::acos(-1.0);
    const double distance = 0.07, nearPlane = 0.01;
    const double halfHeight = 22.5 * pi / 180;
    const double halfWidth = std::atan(4.0 / 3.0 * std::tan(halfHeight));
    for (const Placement& placement :
         {Placement{"cube.3ds", 0.0008, -0.015}, Placement{"sphere.3ds", 0.0004, 0.02}}) {
        Model model = LoadModel(placement.name);
        ASSERT_TRUE(model);
        const Lib3dsMesh* mesh = FindModelMesh(model.get());
        double radius = 0;
        for (Lib3dsDword i = 0; i < mesh->points; ++i) {
            const float* p = mesh->pointL[i].pos;
            radius = std::max(radius, Length({p[0], p[1], p[2]}));
        }
        radius *= placement.scale;
        EXPECT_GT(distance - radius, nearPlane) << placement.name;
        EXPECT_LT(radius, distance * std::sin(halfHeight)) << placement.name;
        EXPECT_LT(radius,
                  distance * std::sin(halfWidth) - std::abs(placement.x) * std::cos(halfWidth))
            << placement.name;
        // Large enough to show the bricks: at least a fifth of the screen's height.
        EXPECT_GT(radius, 0.2 * distance * std::tan(halfHeight)) << placement.name;
    }
}

TEST_F(DataFilesTest, NormalMapBumpsFaceTheLightInEveryTrianglesBasis)
{
    Image normalMap = ReadImage("map_normal.bmp");
    ASSERT_TRUE(normalMap);
    for (const char* name : {"cube.3ds", "sphere.3ds"}) {
        Model model = LoadModel(name);
        ASSERT_TRUE(model);
        Agreement agreement;
        CompareWithHeightField(*FindModelMesh(model.get()), *normalMap, &agreement);
        // Every cube face shows the whole texture; the sphere shows it once.
        EXPECT_GT(agreement.texels, 5000) << name;
        EXPECT_EQ(agreement.misaligned, 0) << name << ", first at " << agreement.example;
    }
}

// The data files are the very bytes they always were: the normal map is now made by the maker
// `normalmap` uses, and a change to any generator would show here first.
TEST(DataFiles, AreTheBytesTheyAlwaysWere)
{
    std::string error;
    const std::vector<DataFile> files = MakeDataFiles(&error);
    ASSERT_EQ(files.size(), 4u) << error;
    const uint64_t expected[] = {0x557428e4bd673533, 0x67f753d26a776334, 0xb86fa4f9c084a823,
                                 0x816f9d51f9dec95d};
    for (size_t i = 0; i < files.size(); ++i) {
        uint64_t hash = 0xcbf29ce484222325;  // FNV-1a
        for (uint8_t byte : files[i].bytes) hash = (hash ^ byte) * 0x100000001b3;
        EXPECT_EQ(hash, expected[i]) << files[i].name;
    }
}

// A height map rising four grey levels a texel along u, at a strength that makes that 0.4
// texels of height: away from the edges, where the differences wrap, every texel holds one
// normal, (-0.4, 0, 1) normalised, leaning down the slope towards -u, as the basis test above
// needs a bump to lean.
TEST(NormalMap, ARampGivesOneNormalLeaningDownhill)
{
    constexpr int kWidth = 64, kHeight = 8;
    std::vector<uint8_t> grey(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c) grey[(y * kWidth + x) * 3 + c] = uint8_t(4 * x);
    RgbImage ramp;
    ramp.width = kWidth;
    ramp.height = kHeight;
    ramp.pixels = grey.data();
    const std::vector<uint8_t> normals = MakeNormalMap(kWidth, kHeight, BitmapHeights(ramp, 25.5));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 1; x + 1 < kWidth; ++x) {
            const uint8_t* n = &normals[(y * kWidth + x) * 3];
            ASSERT_EQ(std::vector<int>(n, n + 3), (std::vector<int>{80, 128, 246}))
                << x << "," << y;
        }
    }
}
