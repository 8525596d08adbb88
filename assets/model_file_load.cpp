#include "assets/model_file_load.h"

#include "assets/model_file_check.h"
#include "math/all_finite.h"

#include <lib3ds/file.h>
#include <lib3ds/io.h>
#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>
#include <lib3ds/vector.h>

#include <cstring>

namespace {

// Model files are small; the bound keeps every offset well inside lib3ds's 32-bit lengths and a
// `long` position on every platform.
constexpr size_t kMaxFileSize = 64u << 20;

// The bytes lib3ds reads through its I/O callbacks. A read past the end or a seek before the
// start sets `failed`, which lib3ds polls as the stream's error state.
struct MemoryStream {
    const uint8_t* data;
    size_t size;
    long long position;
    bool failed;
};

Lib3dsBool StreamError(void* self)
{
    return static_cast<MemoryStream*>(self)->failed ? LIB3DS_TRUE : LIB3DS_FALSE;
}

long StreamSeek(void* self, long offset, Lib3dsIoSeek origin)
{
    MemoryStream* stream = static_cast<MemoryStream*>(self);
    long long base = 0;
    if (origin == LIB3DS_SEEK_CUR) base = stream->position;
    if (origin == LIB3DS_SEEK_END) base = static_cast<long long>(stream->size);
    long long target = base + offset;
    if (target < 0) {
        stream->failed = true;
        return -1;
    }
    stream->position = target;
    return 0;
}

long StreamTell(void* self)
{
    return static_cast<long>(static_cast<MemoryStream*>(self)->position);
}

// Bytes past the end read as zeros, so lib3ds never sees uninitialised values.
size_t StreamRead(void* self, void* buffer, size_t size)
{
    MemoryStream* stream = static_cast<MemoryStream*>(self);
    size_t at = static_cast<size_t>(stream->position);
    size_t available = at < stream->size ? stream->size - at : 0;
    size_t count = size < available ? size : available;
    if (count > 0) std::memcpy(buffer, stream->data + at, count);
    std::memset(static_cast<uint8_t*>(buffer) + count, 0, size - count);
    stream->position += static_cast<long long>(count);
    if (count < size) stream->failed = true;
    return count;
}

size_t StreamWrite(void*, const void*, size_t) { return 0; }

// What the program needs of a file lib3ds has read; an empty text when all is well.
std::string MeshFault(Lib3dsFile* file)
{
    if (!file->nodes) return "has no keyframer node to name its mesh";
    const char* name = file->nodes->name;
    std::string quoted = "\"" + std::string(name) + "\"";
    Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(file, name);
    if (!mesh) return "has no mesh named " + quoted + " like its first node";
    int named = 0;
    for (Lib3dsMesh* other = file->meshes; other; other = other->next) {
        if (std::strcmp(other->name, name) == 0) ++named;
    }
    if (named > 1) return "has " + std::to_string(named) + " meshes named " + quoted;
    std::string what = "mesh " + quoted;
    if (mesh->points == 0) return what + " has no points";
    if (mesh->faces == 0) return what + " has no faces";
    if (mesh->texels != mesh->points) {
        return what + " has " + std::to_string(mesh->texels) + " texture coordinates for " +
               std::to_string(mesh->points) + " points";
    }
    for (Lib3dsDword i = 0; i < mesh->points; ++i) {
        if (!AllFinite(mesh->pointL[i].pos, 3) || !AllFinite(mesh->texelL[i], 2)) {
            return what + " has a coordinate that is not finite at point " + std::to_string(i);
        }
    }
    for (Lib3dsDword i = 0; i < mesh->faces; ++i) {
        const Lib3dsFace& face = mesh->faceL[i];
        for (Lib3dsWord index : face.points) {
            if (index >= mesh->points) {
                return what + " face " + std::to_string(i) + " uses a missing point";
            }
        }
        if (!AllFinite(face.normal, 3)) {
            return what + " has a face normal that is not finite at face " + std::to_string(i);
        }
    }
    return std::string();
}

// NOTE: lib3ds 1.3 computes each face normal, normalise((P2 - P1) x (P0 - P1)), from the points
// as stored. Then, for a mesh whose matrix has a negative determinant (an object mirrored in the
// modelling program), it mirrors the points in the mesh's own frame, by matrix x S(-1, 1, 1) x
// matrix^-1, and keeps the normals. Those then belong to the mirror image: they point against
// the faces as drawn wherever a face is not square to the mirror. They are computed again here,
// with lib3ds's own function, from the points as drawn; other meshes keep theirs untouched.
void MatchNormalsToMirroredPoints(Lib3dsFile* file)
{
    for (Lib3dsMesh* mesh = file->meshes; mesh; mesh = mesh->next) {
        if (lib3ds_matrix_det(mesh->matrix) >= 0.0) continue;
        for (Lib3dsDword i = 0; i < mesh->faces; ++i) {
            Lib3dsFace& face = mesh->faceL[i];
            const Lib3dsWord* p = face.points;
            // The check before loading keeps indices below the point count; this is the guard
            // that makes that plain here.
            if (p[0] >= mesh->points || p[1] >= mesh->points || p[2] >= mesh->points) continue;
            lib3ds_vector_normal(face.normal, mesh->pointL[p[0]].pos, mesh->pointL[p[1]].pos,
                                 mesh->pointL[p[2]].pos);
        }
    }
}

Lib3dsFile* Refuse(const char* label, const std::string& why, std::string* error)
{
    if (error) *error = std::string(label) + ": " + why;
    return nullptr;
}

}  // namespace

Lib3dsFile* LoadModelFromMemory(const uint8_t* data, size_t size, const char* label,
                                std::string* error)
{
    std::string why;
    if (size > kMaxFileSize) {
        return Refuse(label, "is larger than " + std::to_string(kMaxFileSize) + " bytes", error);
    }
    if (!CheckModelFile(data, size, &why)) return Refuse(label, why, error);

    MemoryStream stream{data, size, 0, false};
    Lib3dsIo* io =
        lib3ds_io_new(&stream, StreamError, StreamSeek, StreamTell, StreamRead, StreamWrite);
    Lib3dsFile* file = io ? lib3ds_file_new() : nullptr;
    if (!file) {
        if (io) lib3ds_io_free(io);
        return Refuse(label, "out of memory", error);
    }
    bool read = lib3ds_file_read(file, io) != LIB3DS_FALSE;
    lib3ds_io_free(io);
    if (read) MatchNormalsToMirroredPoints(file);
    why = read ? MeshFault(file) : "lib3ds could not read it although the check passed";
    if (!why.empty()) {
        lib3ds_file_free(file);
        return Refuse(label, why, error);
    }
    return file;
}

Lib3dsMesh* FindModelMesh(Lib3dsFile* file)
{
    if (!file || !file->nodes) return nullptr;
    return lib3ds_file_mesh_by_name(file, file->nodes->name);
}

std::string DescribeModelFile(Lib3dsFile* file)
{
    Lib3dsMesh* mesh = FindModelMesh(file);
    if (!mesh) return "no mesh";
    return std::string(mesh->name) + ": " + std::to_string(mesh->points) + " points, " +
           std::to_string(mesh->faces) + " faces";
}
