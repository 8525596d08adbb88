// The importer of the Linux build: assimp reads the model.
#include "tools/import_model.h"

#include "tools/check_files.h"
#include "tools/file_bytes.h"
#include "tools/fit_model.h"
#include "tools/import_files.h"
#include "tools/write_3ds.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include <filesystem>
#include <set>

namespace {

// Every mesh the nodes place, with their transforms applied, or only those named `only`.
void CollectMeshes(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent,
                   const std::string& only, std::vector<SourceMesh>* meshes)
{
    const aiMatrix4x4 transform = parent * node.mTransformation;
    // A mirroring transform turns the triangles inside out: their corners are then taken in the
    // other order, so that they still face outward.
    const bool mirrored = transform.Determinant() < 0;
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
        SourceMesh source;
        source.name = mesh.mName.C_Str();
        if (!only.empty() && source.name != only) continue;
        for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
            const aiVector3D p = transform * mesh.mVertices[i];
            source.points.push_back({p.x, p.y, p.z});
            if (mesh.HasTextureCoords(0))
                source.texels.push_back({mesh.mTextureCoords[0][i].x, mesh.mTextureCoords[0][i].y});
        }
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3) continue;  // points and lines draw nothing here
            const unsigned* i = face.mIndices;
            source.triangles.push_back(mirrored ? std::array<uint32_t, 3>{i[0], i[2], i[1]}
                                                : std::array<uint32_t, 3>{i[0], i[1], i[2]});
        }
        meshes->push_back(std::move(source));
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        CollectMeshes(scene, *node.mChildren[c], transform, only, meshes);
}

std::string MeshNames(const aiScene& scene)
{
    std::set<std::string> names;
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) names.insert(scene.mMeshes[m]->mName.C_Str());
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
    return list.empty() ? "none" : list;
}

// The model's name when its first mesh kept has none.
std::string FallbackName(const std::string& input)
{
    const std::string stem = std::filesystem::path(input).stem().string();
    return stem.empty() ? "Model" : stem;
}

}  // namespace

bool ImportAvailable() { return true; }

bool ImportModel(const ImportRequest& request, std::string* message)
{
    const auto fail = [&](const std::string& why) {
        *message = request.input + ": " + why;
        return false;
    };
    Assimp::Importer importer;
    ImportFiles* files = new ImportFiles;  // the importer's to delete
    importer.SetIOHandler(files);
    const aiScene* scene = importer.ReadFile(
        request.input, aiProcess_Triangulate | aiProcess_JoinIdenticalVertices |
                           aiProcess_SortByPType | aiProcess_ValidateDataStructure);
    if (!files->Refusal().empty()) {
        const bool model = files->Refusal().rfind(request.input + ": ", 0) == 0;
        *message = model ? files->Refusal() : request.input + ": " + files->Refusal();
        return false;
    }
    if (!scene || !scene->mRootNode)
        return fail(std::string("cannot be read: ") + importer.GetErrorString());

    std::vector<SourceMesh> meshes;
    CollectMeshes(*scene, *scene->mRootNode, aiMatrix4x4(), request.meshName, &meshes);
    if (!request.meshName.empty() && meshes.empty())
        return fail("no mesh is named \"" + request.meshName + "\"; its meshes are " +
                    MeshNames(*scene));

    MeshData mesh;
    std::string why;
    if (!FitModel(meshes, request.slot, FallbackName(request.input), &mesh, &why)) return fail(why);
    const std::vector<uint8_t> bytes = Encode3dsFile(mesh, &why);
    if (bytes.empty()) return fail(why);
    if (!WriteFileBytes(request.output, bytes)) {
        *message = request.output + ": cannot be written";
        return false;
    }
    const FileCheck check = CheckDataFile(request.output);
    *message = check.line;
    return check.loaded;
}
