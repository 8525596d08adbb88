#include "tools/fit_model.h"

#include "math/all_finite.h"
#include "math/point_box.h"

#include <map>

namespace {

// A 3DS mesh counts its points and faces in 16 bits.
constexpr size_t kMost3dsCount = 65535;

struct Count {
    size_t points = 0;
    size_t faces = 0;
};

bool Fits(const Count& count)
{
    return count.points <= kMost3dsCount && count.faces <= kMost3dsCount;
}

std::string Describe(const std::string& name, const Count& count)
{
    return "\"" + name + "\" (" + std::to_string(count.points) + " points, " +
           std::to_string(count.faces) + " faces)";
}

// Too large after merging: the meshes that would fit when chosen alone with --mesh.
std::string TooLarge(const std::vector<const SourceMesh*>& meshes, const Count& total)
{
    std::map<std::string, Count> byName;
    for (const SourceMesh* mesh : meshes) {
        byName[mesh->name].points += mesh->points.size();
        byName[mesh->name].faces += mesh->triangles.size();
    }
    std::string fitting;
    for (const auto& [name, count] : byName) {
        if (!Fits(count)) continue;
        fitting += (fitting.empty() ? "" : ", ") + Describe(name, count);
    }
    return std::to_string(total.points) + " points and " + std::to_string(total.faces) +
           " faces after merging, more than the 65535 a 3DS mesh holds; " +
           (fitting.empty() ? "no mesh fits alone either" : "--mesh would fit with " + fitting);
}

}  // namespace

bool FitModel(const std::vector<SourceMesh>& sources, ModelSlot slot,
              const std::string& fallbackName, MeshData* mesh, std::string* why)
{
    // Meshes of only points or lines draw nothing: their points neither count nor size the box.
    std::vector<const SourceMesh*> drawn;
    for (const SourceMesh& source : sources)
        if (!source.triangles.empty()) drawn.push_back(&source);
    Count total;
    for (const SourceMesh* source : drawn) {
        total.points += source->points.size();
        total.faces += source->triangles.size();
        if (source->texels.empty()) {
            *why = "mesh \"" + source->name + "\" has no texture coordinates, and the program's " +
                   "textures need one per point";
            return false;
        }
    }
    if (total.faces == 0) {
        *why = "no triangles";
        return false;
    }
    if (!Fits(total)) {
        *why = TooLarge(drawn, total);
        return false;
    }

    *mesh = MeshData();
    // lib3ds keeps names in 64-byte fields.
    const std::string& name = drawn[0]->name.empty() ? fallbackName : drawn[0]->name;
    mesh->name = name.substr(0, 63);
    for (const SourceMesh* drawnSource : drawn) {
        const SourceMesh& source = *drawnSource;
        const auto first = uint16_t(mesh->points.size());
        for (size_t i = 0; i < source.points.size(); ++i) {
            if (!AllFinite(source.points[i].data(), 3) || !AllFinite(source.texels[i].data(), 2)) {
                *why = "mesh \"" + source.name +
                       "\" has a coordinate that is not finite at point " + std::to_string(i);
                return false;
            }
            mesh->points.push_back(source.points[i]);
            mesh->texels.push_back(source.texels[i]);
        }
        for (const auto& triangle : source.triangles) {
            mesh->faces.push_back({uint16_t(first + triangle[0]), uint16_t(first + triangle[1]),
                                   uint16_t(first + triangle[2])});
        }
    }

    PointBox box(mesh->points[0].data());
    for (const auto& point : mesh->points) box.Add(point.data());
    const double extent = box.LargestSide();
    if (!(extent > 0)) {
        *why = "all its points are in one place";
        return false;
    }
    // The shipped cube spans 20 units, the sphere 50: the largest side of the box becomes that.
    const double size = slot == ModelSlot::Cube ? 2 * kCubeHalfSize : 2 * kSphereRadius;
    const double scale = size / extent;
    for (auto& point : mesh->points) {
        double p[3];
        for (int axis = 0; axis < 3; ++axis) p[axis] = (point[axis] - box.Centre(axis)) * scale;
        point = slot == ModelSlot::Sphere
                    ? std::array<float, 3>{float(p[0]), float(-p[2]), float(p[1])}
                    : std::array<float, 3>{float(p[0]), float(p[1]), float(p[2])};
    }
    return true;
}
