#include "tools/generate_meshes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

using Vec = std::array<float, 3>;

uint16_t AddPoint(MeshData& mesh, const Vec& position, float u, float v)
{
    mesh.points.push_back(position);
    mesh.texels.push_back({u, v});
    return uint16_t(mesh.points.size() - 1);
}

// One face of the cube: `normal` outward, `right` the direction of increasing u; increasing v
// goes along normal x right, which makes (right, up, normal) right-handed.
void AddCubeFace(MeshData& mesh, const Vec& normal, const Vec& right)
{
    const Vec up{normal[1] * right[2] - normal[2] * right[1],
                 normal[2] * right[0] - normal[0] * right[2],
                 normal[0] * right[1] - normal[1] * right[0]};
    uint16_t corner[4];
    const int uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int k = 0; k < 4; ++k) {
        const float a = float(2 * uv[k][0] - 1) * kCubeHalfSize;
        const float b = float(2 * uv[k][1] - 1) * kCubeHalfSize;
        Vec p;
        for (int i = 0; i < 3; ++i) p[i] = normal[i] * kCubeHalfSize + right[i] * a + up[i] * b;
        corner[k] = AddPoint(mesh, p, float(uv[k][0]), float(uv[k][1]));
    }
    mesh.faces.push_back({corner[0], corner[1], corner[2]});
    mesh.faces.push_back({corner[0], corner[2], corner[3]});
}

// sin(k * pi / n), n a multiple of 4, from a fixed Taylor series: libm's sine may differ in its
// last bit between C libraries, and the data files must be the same bytes whichever compiler
// built the generator.
double SineOfStep(int k, int n)
{
    k = ((k % (2 * n)) + 2 * n) % (2 * n);
    const double sign = k < n ? 1.0 : -1.0;
    k %= n;
    if (k > n / 2) k = n - k;           // sin(pi - a) = sin(a)
    const bool complement = k > n / 4;  // sin(a) = cos(pi/2 - a), keeping the series under pi/4
    const double x = (complement ? n / 2 - k : k) * (kPi / n);
    double term = complement ? 1.0 : x, sum = 0;
    for (int i = complement ? 0 : 1; i < 30; i += 2) {
        sum += term;
        term *= -x * x / ((i + 1) * (i + 2));
    }
    return sign * sum;
}

double CosineOfStep(int k, int n) { return SineOfStep(k + n / 2, n); }

// Columns and bands are both steps of pi / bands: 2 x bands columns around, bands bands from
// pole to pole.
Vec SpherePoint(int column, int band, int bands)
{
    const int latitude = band - bands / 2;
    // The doubled seam column repeats the first one exactly, so the sphere has no crack.
    const int longitude = column % (2 * bands);
    const double ring = kSphereRadius * CosineOfStep(latitude, bands);
    return {float(ring * CosineOfStep(longitude, bands)),
            float(ring * SineOfStep(longitude, bands)),
            float(kSphereRadius * SineOfStep(latitude, bands))};
}

}  // namespace

MeshData MakeCubeMesh()
{
    MeshData mesh;
    mesh.name = "Cube";
    AddCubeFace(mesh, {0, 0, 1}, {1, 0, 0});
    AddCubeFace(mesh, {1, 0, 0}, {0, 0, -1});
    AddCubeFace(mesh, {0, 0, -1}, {-1, 0, 0});
    AddCubeFace(mesh, {-1, 0, 0}, {0, 0, 1});
    AddCubeFace(mesh, {0, 1, 0}, {1, 0, 0});
    AddCubeFace(mesh, {0, -1, 0}, {1, 0, 0});
    return mesh;
}

MeshData MakeSphereMesh() { return MakeUvSphereMesh(24); }

MeshData MakeUvSphereMesh(int bands)
{
    const int columns = 2 * bands;
    MeshData mesh;
    mesh.name = "Sphere";
    // Rings 1 .. bands - 1; ring(c, b) is the point of column c on band line b.
    auto ring = [columns](int column, int band) {
        return uint16_t((band - 1) * (columns + 1) + column);
    };
    for (int band = 1; band < bands; ++band) {
        for (int column = 0; column <= columns; ++column) {
            AddPoint(mesh, SpherePoint(column, band, bands), float(column) / columns,
                     float(band) / bands);
        }
    }
    for (int band = 1; band + 1 < bands; ++band) {
        for (int column = 0; column < columns; ++column) {
            const uint16_t a = ring(column, band), b = ring(column + 1, band);
            const uint16_t c = ring(column + 1, band + 1), d = ring(column, band + 1);
            mesh.faces.push_back({a, b, c});
            mesh.faces.push_back({a, c, d});
        }
    }
    const float north = kSphereRadius;
    for (int column = 0; column < columns; ++column) {
        const float u = (column + 0.5f) / columns;
        const uint16_t south = AddPoint(mesh, {0, 0, -north}, u, 0);
        mesh.faces.push_back({south, ring(column + 1, 1), ring(column, 1)});
        const uint16_t top = AddPoint(mesh, {0, 0, north}, u, 1);
        const int last = bands - 1;
        mesh.faces.push_back({ring(column, last), ring(column + 1, last), top});
    }
    return mesh;
}
