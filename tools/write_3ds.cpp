#include "tools/write_3ds.h"

#include <lib3ds/file.h>
#include <lib3ds/io.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// A growing byte array behind lib3ds's I/O callbacks. The writer seeks back to fill in each
// chunk's length once the chunk is complete, so writes may overwrite as well as append.
struct MemoryWriter {
    std::vector<uint8_t> bytes;
    size_t position = 0;
    bool failed = false;
};

Lib3dsBool WriterError(void* self)
{
    return static_cast<MemoryWriter*>(self)->failed ? LIB3DS_TRUE : LIB3DS_FALSE;
}

long WriterSeek(void* self, long offset, Lib3dsIoSeek origin)
{
    MemoryWriter* writer = static_cast<MemoryWriter*>(self);
    long long base = 0;
    if (origin == LIB3DS_SEEK_CUR) base = static_cast<long long>(writer->position);
    if (origin == LIB3DS_SEEK_END) base = static_cast<long long>(writer->bytes.size());
    if (base + offset < 0) {
        writer->failed = true;
        return -1;
    }
    writer->position = size_t(base + offset);
    return 0;
}

long WriterTell(void* self) { return long(static_cast<MemoryWriter*>(self)->position); }

size_t WriterRead(void* self, void*, size_t)
{
    static_cast<MemoryWriter*>(self)->failed = true;
    return 0;
}

size_t WriterWrite(void* self, const void* buffer, size_t size)
{
    MemoryWriter* writer = static_cast<MemoryWriter*>(self);
    const size_t end = writer->position + size;
    if (end > writer->bytes.size()) writer->bytes.resize(end);
    std::memcpy(writer->bytes.data() + writer->position, buffer, size);
    writer->position = end;
    return size;
}

struct FileDeleter {
    void operator()(Lib3dsFile* file) const { lib3ds_file_free(file); }
};

bool FillMesh(Lib3dsMesh* mesh, const MeshData& data)
{
    const auto points = Lib3dsDword(data.points.size());
    if (!lib3ds_mesh_new_point_list(mesh, points) || !lib3ds_mesh_new_texel_list(mesh, points) ||
        !lib3ds_mesh_new_face_list(mesh, Lib3dsDword(data.faces.size())))
        return false;
    for (size_t i = 0; i < data.points.size(); ++i) {
        std::copy(data.points[i].begin(), data.points[i].end(), mesh->pointL[i].pos);
        mesh->texelL[i][0] = data.texels[i][0];
        mesh->texelL[i][1] = data.texels[i][1];
    }
    for (size_t i = 0; i < data.faces.size(); ++i) {
        std::copy(data.faces[i].begin(), data.faces[i].end(), mesh->faceL[i].points);
        mesh->faceL[i].flags = 0x7;  // all three edges visible, as modelling programs write it
    }
    for (int i = 0; i < 4; ++i)
        std::copy(data.matrix[i].begin(), data.matrix[i].end(), mesh->matrix[i]);
    return true;
}

// A rest pose (no offset, no turn, unit scale) and the bounding box, for 3DS readers that place
// objects by their keyframer node; the program itself reads only the node's name.
bool FillNode(Lib3dsNode* node, const MeshData& data)
{
    std::strcpy(node->name, data.name.c_str());
    // NOTE: a new node's parent id is 0, the id of the node itself: inserting it would then
    // recurse without end inside lib3ds.
    node->parent_id = LIB3DS_NO_PARENT;
    Lib3dsObjectData& object = node->data.object;
    for (int axis = 0; axis < 3; ++axis) {
        object.bbox_min[axis] = object.bbox_max[axis] = data.points[0][axis];
        for (const auto& point : data.points) {
            object.bbox_min[axis] = std::min(object.bbox_min[axis], point[axis]);
            object.bbox_max[axis] = std::max(object.bbox_max[axis], point[axis]);
        }
    }
    Lib3dsLin3Key* position = lib3ds_lin3_key_new();
    Lib3dsQuatKey* rotation = lib3ds_quat_key_new();
    Lib3dsLin3Key* scale = lib3ds_lin3_key_new();
    if (!position || !rotation || !scale) {
        std::free(position);
        std::free(rotation);
        std::free(scale);
        return false;
    }
    rotation->axis[2] = 1.0f;
    for (float& component : scale->value) component = 1.0f;
    lib3ds_lin3_track_insert(&object.pos_track, position);
    lib3ds_quat_track_insert(&object.rot_track, rotation);
    lib3ds_lin3_track_insert(&object.scl_track, scale);
    return true;
}

}  // namespace

std::vector<uint8_t> Encode3dsFile(const MeshData& data, std::string* error)
{
    // lib3ds copies names into 64-byte fields without a check, and counts are 16-bit.
    if (data.name.empty() || data.name.size() > 63 || data.points.empty() ||
        data.points.size() > 0xFFFF || data.faces.size() > 0xFFFF ||
        data.texels.size() != data.points.size()) {
        *error = "mesh \"" + data.name + "\" does not fit a 3DS file";
        return {};
    }
    std::unique_ptr<Lib3dsFile, FileDeleter> file(lib3ds_file_new());
    Lib3dsMesh* mesh = file ? lib3ds_mesh_new(data.name.c_str()) : nullptr;
    if (!mesh) {
        *error = "out of memory";
        return {};
    }
    lib3ds_file_insert_mesh(file.get(), mesh);  // owned by the file from here on
    Lib3dsNode* node = FillMesh(mesh, data) ? lib3ds_node_new_object() : nullptr;
    if (!node) {
        *error = "out of memory";
        return {};
    }
    const bool filled = FillNode(node, data);
    lib3ds_file_insert_node(file.get(), node);
    if (!filled) {
        *error = "out of memory";
        return {};
    }
    MemoryWriter writer;
    Lib3dsIo* io =
        lib3ds_io_new(&writer, WriterError, WriterSeek, WriterTell, WriterRead, WriterWrite);
    const bool written = io && lib3ds_file_write(file.get(), io) && !writer.failed;
    if (io) lib3ds_io_free(io);
    if (!written) {
        *error = "lib3ds could not write mesh \"" + data.name + "\"";
        return {};
    }
    return writer.bytes;
}
