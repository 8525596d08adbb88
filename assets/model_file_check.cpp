#include "assets/model_file_check.h"

#include "platform/byte_order.h"

#include <lib3ds/chunk.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <unordered_map>
#include <vector>

namespace {

// A chunk header is a 16-bit id and a 32-bit length that counts the header itself.
constexpr size_t kHeaderSize = 6;
// Sizes of the buffers lib3ds reads names into; the terminator must fit as well.
constexpr size_t kNameBuffer = 64;
constexpr size_t kKeyframerNameBuffer = 13;
constexpr size_t kMorphNameBuffer = 11;
// lib3ds inserts nodes, objects, materials and track keys into lists with one linear scan per
// insertion: these bounds keep a hostile file from costing quadratic time.
constexpr size_t kMaxNodes = 4096;
constexpr size_t kMaxObjects = 4096;
constexpr size_t kMaxKeysPerTrack = 4096;
constexpr size_t kMaxKeys = 65536;
// v_gradient_read keeps the colours of each kind in a stack array of three.
constexpr int kMaxGradientColors = 3;
constexpr uint16_t kNoParent = 65535;
// lib3ds adds and subtracts key frames in `int` while setting up a track's splines; frames
// within this magnitude keep that arithmetic from overflowing.
constexpr int32_t kMaxKeyFrame = 1 << 24;
// Key flag bits that each add one float to a key (tension, continuity, bias, ease to, from).
constexpr uint16_t kKeySplineBits = 0x1F;

enum class TrackKind { Bool, Lin1, Lin3, Quat, Morph };

struct Chunk {
    uint16_t id = 0;
    size_t begin = 0;  // offset of the header in the file
    size_t end = 0;    // one past the chunk's last byte
    size_t Payload() const { return begin + kHeaderSize; }
};

// A keyframer node as lib3ds_file_insert_node will see it.
struct NodeLink {
    uint16_t id;
    uint16_t parent;
    Chunk chunk;
};

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

std::string Num(size_t value) { return std::to_string(value); }

class ModelFileChecker {
public:
    ModelFileChecker(const uint8_t* data, size_t size, std::vector<ModelChunk>* walked)
        : data_(data), size_(size), walked_(walked)
    {
    }
    bool Check();
    const std::string& Error() const { return error_; }

private:
    using Visitor = std::function<bool(const Chunk&)>;

    uint16_t Word(size_t at) const { return ReadU16(data_ + at); }
    uint32_t Dword(size_t at) const { return ReadU32(data_ + at); }

    bool Fail(const Chunk& chunk, const std::string& what);
    bool NeedFrom(const Chunk& chunk, size_t at, size_t bytes, const std::string& what);
    bool Need(const Chunk& chunk, size_t bytes, const std::string& what)
    {
        return NeedFrom(chunk, chunk.Payload(), bytes, what);
    }
    bool String(const Chunk& chunk, size_t at, size_t buffer, const char* what, size_t* next);
    bool ForEachChild(const Chunk& parent, size_t from, const Visitor& visit);
    bool CountObject(const Chunk& chunk);

    bool Magic(const Chunk& chunk);
    bool Mdata(const Chunk& chunk);
    bool Colors(const Chunk& chunk, size_t from, int perKindLimit);
    bool Gradient(const Chunk& chunk);
    bool Viewport(const Chunk& chunk);
    bool NamedObject(const Chunk& chunk);
    bool TriObject(const Chunk& chunk);
    bool CountedArray(const Chunk& chunk, size_t stride, const char* what, uint32_t* count);
    bool FaceArray(const Chunk& chunk, uint32_t* faces);
    bool MaterialGroup(const Chunk& chunk, uint32_t faces);
    bool Camera(const Chunk& chunk);
    bool Light(const Chunk& chunk);
    bool Spotlight(const Chunk& chunk);
    bool Material(const Chunk& chunk);
    bool Color(const Chunk& chunk);
    bool Percentage(const Chunk& chunk);
    bool TextureMap(const Chunk& chunk);
    bool Kfdata(const Chunk& chunk);
    bool Node(const Chunk& chunk, uint16_t number);
    bool Track(const Chunk& chunk, TrackKind kind);
    bool NodeLinks();

    const uint8_t* data_;
    size_t size_;
    std::vector<ModelChunk>* walked_;  // null unless the caller asked for the chunks
    std::string error_;
    size_t objects_ = 0;
    size_t keys_ = 0;
    std::vector<NodeLink> nodes_;
};

bool ModelFileChecker::Fail(const Chunk& chunk, const std::string& what)
{
    error_ = "chunk " + Hex(chunk.id) + " at offset " + Num(chunk.begin) + ": " + what;
    return false;
}

bool ModelFileChecker::NeedFrom(const Chunk& chunk, size_t at, size_t bytes,
                                const std::string& what)
{
    if (at <= chunk.end && chunk.end - at >= bytes) return true;
    return Fail(chunk, what + ": " + Num(bytes) + " bytes needed from offset " + Num(at) +
                           ", but the chunk ends at " + Num(chunk.end));
}

// lib3ds_io_read_string copies up to `buffer` bytes and fails without a terminator among them.
bool ModelFileChecker::String(const Chunk& chunk, size_t at, size_t buffer, const char* what,
                              size_t* next)
{
    const void* nul = at < chunk.end ? std::memchr(data_ + at, 0, chunk.end - at) : nullptr;
    if (!nul) return Fail(chunk, std::string(what) + " is not terminated inside the chunk");
    size_t length = static_cast<size_t>(static_cast<const uint8_t*>(nul) - (data_ + at));
    if (length >= buffer) {
        return Fail(chunk, std::string(what) + " has " + Num(length) +
                               " characters, more than lib3ds holds (" + Num(buffer - 1) + ")");
    }
    *next = at + length + 1;
    return true;
}

// Mirrors lib3ds_chunk_read_next, which reads a child header wherever the previous child ended,
// never advances past a length under 6, does not notice a child running past its parent, and
// takes a child of id 0 for the end of the parent.
bool ModelFileChecker::ForEachChild(const Chunk& parent, size_t from, const Visitor& visit)
{
    size_t at = from;
    while (at < parent.end) {
        Chunk child;
        child.begin = at;
        if (parent.end - at < kHeaderSize) {
            return Fail(parent, "a sub-chunk header at offset " + Num(at) +
                                    " runs past the chunk's end at " + Num(parent.end));
        }
        child.id = Word(at);
        uint32_t length = Dword(at + 2);
        if (length < kHeaderSize) {
            return Fail(child, "length " + Num(length) + " is shorter than a chunk header");
        }
        if (length > parent.end - at) {
            return Fail(child, "length " + Num(length) + " runs past the end of its parent " +
                                   Hex(parent.id) + " at offset " + Num(parent.end));
        }
        if (child.id == LIB3DS_NULL_CHUNK) {
            return Fail(child, "a chunk of id 0 would end the reading of its parent early");
        }
        child.end = at + length;
        if (walked_) walked_->push_back({child.id, child.begin, child.end, parent.end});
        if (!visit(child)) return false;
        at = child.end;
    }
    return true;
}

bool ModelFileChecker::CountObject(const Chunk& chunk)
{
    if (++objects_ <= kMaxObjects) return true;
    return Fail(chunk, "more than " + Num(kMaxObjects) + " objects and materials in the file");
}

bool ModelFileChecker::Check()
{
    if (size_ < kHeaderSize) {
        error_ = "the file has " + Num(size_) + " bytes, too few for a chunk header";
        return false;
    }
    Chunk root;
    root.id = Word(0);
    uint32_t length = Dword(2);
    if (length < kHeaderSize) {
        return Fail(root, "length " + Num(length) + " is shorter than a chunk header");
    }
    if (length > size_) {
        return Fail(root, "length " + Num(length) + " runs past the end of the file (" +
                              Num(size_) + " bytes)");
    }
    root.end = length;
    if (walked_) walked_->push_back({root.id, 0, root.end, size_});
    bool ok = false;
    switch (root.id) {
    case LIB3DS_MDATA: ok = Mdata(root); break;
    case LIB3DS_M3DMAGIC:
    case LIB3DS_MLIBMAGIC:
    case LIB3DS_CMAGIC: ok = Magic(root); break;
    default: return Fail(root, "not a 3DS file (unknown first chunk)");
    }
    return ok && NodeLinks();
}

bool ModelFileChecker::Magic(const Chunk& chunk)
{
    return ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        switch (child.id) {
        case LIB3DS_M3D_VERSION: return Need(child, 4, "the file version");
        case LIB3DS_MDATA: return Mdata(child);
        case LIB3DS_KFDATA: return Kfdata(child);
        default: return true;
        }
    });
}

bool ModelFileChecker::Mdata(const Chunk& chunk)
{
    return ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        size_t next = 0;
        switch (child.id) {
        case LIB3DS_SHADOW_MAP_SIZE:
        case LIB3DS_SHADOW_SAMPLES: return Need(child, 2, "the shadow setting");
        case LIB3DS_MESH_VERSION:
        case LIB3DS_MASTER_SCALE:
        case LIB3DS_LO_SHADOW_BIAS:
        case LIB3DS_HI_SHADOW_BIAS:
        case LIB3DS_SHADOW_RANGE:
        case LIB3DS_SHADOW_FILTER:
        case LIB3DS_RAY_BIAS: return Need(child, 4, "the setting");
        case LIB3DS_O_CONSTS: return Need(child, 12, "the construction plane");
        case LIB3DS_VIEWPORT_LAYOUT:
        case LIB3DS_DEFAULT_VIEW: return Viewport(child);
        case LIB3DS_AMBIENT_LIGHT:
        case LIB3DS_SOLID_BGND: return Colors(child, child.Payload(), 0);
        case LIB3DS_BIT_MAP:
            return String(child, child.Payload(), kNameBuffer, "the bitmap name", &next);
        case LIB3DS_V_GRADIENT: return Gradient(child);
        case LIB3DS_FOG:
        case LIB3DS_LAYER_FOG:
            return Need(child, 16, "the fog planes") && Colors(child, child.Payload() + 16, 0);
        case LIB3DS_DISTANCE_CUE:
            return Need(child, 16, "the distance cue") &&
                   ForEachChild(child, child.Payload() + 16, [](const Chunk&) { return true; });
        case LIB3DS_MAT_ENTRY: return Material(child);
        case LIB3DS_NAMED_OBJECT: return NamedObject(child);
        default: return true;
        }
    });
}

// Containers whose only sub-chunks lib3ds reads are float colours. `perKindLimit`, when not 0,
// bounds how many of each kind (gamma-corrected, linear) may appear.
bool ModelFileChecker::Colors(const Chunk& chunk, size_t from, int perKindLimit)
{
    int gamma = 0;
    int linear = 0;
    return ForEachChild(chunk, from, [&](const Chunk& child) {
        if (child.id != LIB3DS_COLOR_F && child.id != LIB3DS_LIN_COLOR_F) return true;
        int& seen = child.id == LIB3DS_COLOR_F ? gamma : linear;
        if (perKindLimit && ++seen > perKindLimit) {
            return Fail(child, "more than " + Num(perKindLimit) + " gradient colours of one kind");
        }
        return Need(child, 12, "the colour");
    });
}

bool ModelFileChecker::Gradient(const Chunk& chunk)
{
    return Need(chunk, 4, "the gradient midpoint") &&
           Colors(chunk, chunk.Payload() + 4, kMaxGradientColors);
}

bool ModelFileChecker::Viewport(const Chunk& chunk)
{
    if (chunk.id == LIB3DS_DEFAULT_VIEW) {
        return ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
            switch (child.id) {
            case LIB3DS_VIEW_TOP:
            case LIB3DS_VIEW_BOTTOM:
            case LIB3DS_VIEW_LEFT:
            case LIB3DS_VIEW_RIGHT:
            case LIB3DS_VIEW_FRONT:
            case LIB3DS_VIEW_BACK: return Need(child, 16, "the view");
            case LIB3DS_VIEW_USER: return Need(child, 28, "the user view");
            case LIB3DS_VIEW_CAMERA: return Need(child, 11, "the camera view");
            default: return true;
            }
        });
    }
    return Need(chunk, 14, "the viewport layout") &&
           ForEachChild(chunk, chunk.Payload() + 14, [&](const Chunk& child) {
               switch (child.id) {
               case LIB3DS_VIEWPORT_SIZE: return Need(child, 8, "the viewport size");
               case LIB3DS_VIEWPORT_DATA_3: return Need(child, 49, "the view data");
               default: return true;
               }
           });
}

bool ModelFileChecker::NamedObject(const Chunk& chunk)
{
    size_t next = 0;
    if (!String(chunk, chunk.Payload(), kNameBuffer, "the object name", &next)) return false;
    return ForEachChild(chunk, next, [&](const Chunk& child) {
        switch (child.id) {
        case LIB3DS_N_TRI_OBJECT: return TriObject(child);
        case LIB3DS_N_CAMERA: return Camera(child);
        case LIB3DS_N_DIRECT_LIGHT: return Light(child);
        default: return true;
        }
    });
}

bool ModelFileChecker::TriObject(const Chunk& chunk)
{
    if (!CountObject(chunk)) return false;
    uint32_t points = 0;
    uint32_t faces = 0;
    Chunk faceArray;
    bool ok = ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        switch (child.id) {
        case LIB3DS_MESH_MATRIX: return Need(child, 48, "the mesh matrix");
        case LIB3DS_MESH_COLOR: return Need(child, 1, "the mesh colour");
        case LIB3DS_MESH_TEXTURE_INFO: return Need(child, 84, "the mapping data");
        case LIB3DS_POINT_ARRAY: return CountedArray(child, 12, "points", &points);
        case LIB3DS_POINT_FLAG_ARRAY: return CountedArray(child, 2, "point flags", nullptr);
        case LIB3DS_TEX_VERTS: return CountedArray(child, 8, "texture coordinates", nullptr);
        case LIB3DS_FACE_ARRAY: faceArray = child; return FaceArray(child, &faces);
        default: return true;
        }
    });
    if (!ok) return false;
    // Once the mesh is read lib3ds takes each face's normal from the last point array read,
    // whichever came first in the file.
    for (uint32_t face = 0; face < faces; ++face) {
        for (size_t corner = 0; corner < 3; ++corner) {
            uint16_t index = Word(faceArray.Payload() + 2 + 8 * size_t(face) + 2 * corner);
            if (index >= points) {
                return Fail(faceArray, "face " + Num(face) + " uses point " + Num(index) +
                                           ", but the mesh has " + Num(points) + " points");
            }
        }
    }
    return true;
}

// A 16-bit count followed by that many records of `stride` bytes.
bool ModelFileChecker::CountedArray(const Chunk& chunk, size_t stride, const char* what,
                                    uint32_t* count)
{
    if (!Need(chunk, 2, std::string("the count of ") + what)) return false;
    uint32_t n = Word(chunk.Payload());
    if (!Need(chunk, 2 + stride * n, Num(n) + " " + what)) return false;
    if (count) *count = n;
    return true;
}

bool ModelFileChecker::FaceArray(const Chunk& chunk, uint32_t* faces)
{
    if (!CountedArray(chunk, 8, "faces", faces)) return false;
    uint32_t count = *faces;
    // lib3ds reads no sub-chunks of an empty face list.
    if (count == 0) return true;
    return ForEachChild(chunk, chunk.Payload() + 2 + 8 * size_t(count), [&](const Chunk& child) {
        size_t at = child.Payload();
        switch (child.id) {
        case LIB3DS_SMOOTH_GROUP:
            return Need(child, 4 * size_t(count), "smoothing groups for " + Num(count) + " faces");
        case LIB3DS_MSH_MAT_GROUP: return MaterialGroup(child, count);
        case LIB3DS_MSH_BOXMAP:
            for (int side = 0; side < 6; ++side) {
                if (!String(child, at, kNameBuffer, "a box map name", &at)) return false;
            }
            return true;
        default: return true;
        }
    });
}

// A material name, a 16-bit count and that many face indices: lib3ds writes the name into each
// listed face without checking the index.
bool ModelFileChecker::MaterialGroup(const Chunk& chunk, uint32_t faces)
{
    size_t at = 0;
    if (!String(chunk, chunk.Payload(), kNameBuffer, "the material name", &at)) return false;
    if (!NeedFrom(chunk, at, 2, "the face count")) return false;
    uint32_t count = Word(at);
    at += 2;
    if (!NeedFrom(chunk, at, 2 * size_t(count), Num(count) + " face indices")) return false;
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t face = Word(at + 2 * size_t(i));
        if (face >= faces) {
            return Fail(chunk, "material group entry " + Num(i) + " names face " + Num(face) +
                                   ", but the face list has " + Num(faces) + " faces");
        }
    }
    return true;
}

bool ModelFileChecker::Camera(const Chunk& chunk)
{
    if (!CountObject(chunk) || !Need(chunk, 32, "the camera")) return false;
    return ForEachChild(chunk, chunk.Payload() + 32, [&](const Chunk& child) {
        return child.id != LIB3DS_CAM_RANGES || Need(child, 8, "the camera ranges");
    });
}

bool ModelFileChecker::Light(const Chunk& chunk)
{
    if (!CountObject(chunk) || !Need(chunk, 12, "the light position")) return false;
    return ForEachChild(chunk, chunk.Payload() + 12, [&](const Chunk& child) {
        switch (child.id) {
        case LIB3DS_COLOR_F: return Need(child, 12, "the light colour");
        case LIB3DS_DL_OUTER_RANGE:
        case LIB3DS_DL_INNER_RANGE:
        case LIB3DS_DL_MULTIPLIER:
        case LIB3DS_DL_EXCLUDE:  // lib3ds falls through into reading the attenuation
        case LIB3DS_DL_ATTENUATE: return Need(child, 4, "the light setting");
        case LIB3DS_DL_SPOTLIGHT: return Spotlight(child);
        default: return true;
        }
    });
}

bool ModelFileChecker::Spotlight(const Chunk& chunk)
{
    if (!Need(chunk, 20, "the spotlight")) return false;
    return ForEachChild(chunk, chunk.Payload() + 20, [&](const Chunk& child) {
        size_t next = 0;
        switch (child.id) {
        case LIB3DS_DL_SPOT_ROLL:
        case LIB3DS_DL_SPOT_ASPECT:
        case LIB3DS_DL_RAY_BIAS: return Need(child, 4, "the spotlight setting");
        case LIB3DS_DL_LOCAL_SHADOW2: return Need(child, 10, "the shadow settings");
        case LIB3DS_DL_SPOT_PROJECTOR:
            return String(child, child.Payload(), kNameBuffer, "the projector name", &next);
        default: return true;
        }
    });
}

bool ModelFileChecker::Material(const Chunk& chunk)
{
    if (!CountObject(chunk)) return false;
    return ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        size_t next = 0;
        switch (child.id) {
        case LIB3DS_MAT_NAME:
            return String(child, child.Payload(), kNameBuffer, "the material name", &next);
        case LIB3DS_MAT_AMBIENT:
        case LIB3DS_MAT_DIFFUSE:
        case LIB3DS_MAT_SPECULAR: return Color(child);
        case LIB3DS_MAT_SHININESS:
        case LIB3DS_MAT_SHIN2PCT:
        case LIB3DS_MAT_TRANSPARENCY:
        case LIB3DS_MAT_XPFALL:
        case LIB3DS_MAT_SELF_ILPCT:
        case LIB3DS_MAT_REFBLUR: return Percentage(child);
        case LIB3DS_MAT_SHADING: return Need(child, 2, "the shading");
        case LIB3DS_MAT_WIRE_SIZE: return Need(child, 4, "the wire size");
        case LIB3DS_MAT_ACUBIC: return Need(child, 12, "the reflection settings");
        case LIB3DS_MAT_TEXMAP:
        case LIB3DS_MAT_TEXMASK:
        case LIB3DS_MAT_TEX2MAP:
        case LIB3DS_MAT_TEX2MASK:
        case LIB3DS_MAT_OPACMAP:
        case LIB3DS_MAT_OPACMASK:
        case LIB3DS_MAT_BUMPMAP:
        case LIB3DS_MAT_BUMPMASK:
        case LIB3DS_MAT_SPECMAP:
        case LIB3DS_MAT_SPECMASK:
        case LIB3DS_MAT_SHINMAP:
        case LIB3DS_MAT_SHINMASK:
        case LIB3DS_MAT_SELFIMAP:
        case LIB3DS_MAT_SELFIMASK:
        case LIB3DS_MAT_REFLMAP:
        case LIB3DS_MAT_REFLMASK: return TextureMap(child);
        default: return true;
        }
    });
}

bool ModelFileChecker::Color(const Chunk& chunk)
{
    return ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        switch (child.id) {
        case LIB3DS_COLOR_24:
        case LIB3DS_LIN_COLOR_24: return Need(child, 3, "the colour");
        case LIB3DS_COLOR_F:
        case LIB3DS_LIN_COLOR_F: return Need(child, 12, "the colour");
        default: return true;
        }
    });
}

bool ModelFileChecker::Percentage(const Chunk& chunk)
{
    return ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        return child.id != LIB3DS_INT_PERCENTAGE || Need(child, 2, "the percentage");
    });
}

bool ModelFileChecker::TextureMap(const Chunk& chunk)
{
    return ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        size_t next = 0;
        switch (child.id) {
        case LIB3DS_INT_PERCENTAGE:
        case LIB3DS_MAT_MAP_TILING: return Need(child, 2, "the map setting");
        case LIB3DS_MAT_MAPNAME:
            return String(child, child.Payload(), kNameBuffer, "the map name", &next);
        case LIB3DS_MAT_MAP_TEXBLUR:
        case LIB3DS_MAT_MAP_USCALE:
        case LIB3DS_MAT_MAP_VSCALE:
        case LIB3DS_MAT_MAP_UOFFSET:
        case LIB3DS_MAT_MAP_VOFFSET:
        case LIB3DS_MAT_MAP_ANG: return Need(child, 4, "the map setting");
        case LIB3DS_MAT_MAP_COL1:
        case LIB3DS_MAT_MAP_COL2:
        case LIB3DS_MAT_MAP_RCOL:
        case LIB3DS_MAT_MAP_GCOL:
        case LIB3DS_MAT_MAP_BCOL: return Need(child, 3, "the map tint");
        default: return true;
        }
    });
}

bool ModelFileChecker::Kfdata(const Chunk& chunk)
{
    // Nodes without a NODE_ID chunk are numbered in reading order, afresh in every KFDATA.
    uint16_t number = 0;
    return ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        size_t next = 0;
        switch (child.id) {
        case LIB3DS_KFHDR:
            return Need(child, 2, "the keyframer revision") &&
                   String(child, child.Payload() + 2, kKeyframerNameBuffer, "the scene name",
                          &next) &&
                   NeedFrom(child, next, 4, "the frame count");
        case LIB3DS_KFSEG: return Need(child, 8, "the frame segment");
        case LIB3DS_KFCURTIME: return Need(child, 4, "the current frame");
        case LIB3DS_VIEWPORT_LAYOUT:
        case LIB3DS_DEFAULT_VIEW: return Viewport(child);
        case LIB3DS_AMBIENT_NODE_TAG:
        case LIB3DS_OBJECT_NODE_TAG:
        case LIB3DS_CAMERA_NODE_TAG:
        case LIB3DS_TARGET_NODE_TAG:
        case LIB3DS_LIGHT_NODE_TAG:
        case LIB3DS_SPOTLIGHT_NODE_TAG:
        case LIB3DS_L_TARGET_NODE_TAG: return Node(child, number++);
        default: return true;
        }
    });
}

// Tracks are checked whatever the node's type, even where lib3ds skips them.
bool ModelFileChecker::Node(const Chunk& chunk, uint16_t number)
{
    if (nodes_.size() >= kMaxNodes) {
        return Fail(chunk, "more than " + Num(kMaxNodes) + " keyframer nodes in the file");
    }
    NodeLink link{number, 0, chunk};
    bool header = false;
    bool morph = false;
    bool ok = ForEachChild(chunk, chunk.Payload(), [&](const Chunk& child) {
        size_t next = 0;
        switch (child.id) {
        case LIB3DS_NODE_ID:
            if (!Need(child, 2, "the node id")) return false;
            link.id = Word(child.Payload());
            return true;
        case LIB3DS_NODE_HDR:
            if (!String(child, child.Payload(), kNameBuffer, "the node name", &next) ||
                !NeedFrom(child, next, 6, "the node flags and parent id")) {
                return false;
            }
            link.parent = Word(next + 4);
            header = true;
            return true;
        case LIB3DS_PIVOT: return Need(child, 12, "the pivot");
        case LIB3DS_INSTANCE_NAME:
            return String(child, child.Payload(), kNameBuffer, "the instance name", &next);
        case LIB3DS_BOUNDBOX: return Need(child, 24, "the bounding box");
        case LIB3DS_MORPH_SMOOTH: return Need(child, 4, "the morph smoothing");
        case LIB3DS_COL_TRACK_TAG:
        case LIB3DS_POS_TRACK_TAG:
        case LIB3DS_SCL_TRACK_TAG: return Track(child, TrackKind::Lin3);
        case LIB3DS_ROT_TRACK_TAG: return Track(child, TrackKind::Quat);
        case LIB3DS_FOV_TRACK_TAG:
        case LIB3DS_HOT_TRACK_TAG:
        case LIB3DS_FALL_TRACK_TAG:
        case LIB3DS_ROLL_TRACK_TAG: return Track(child, TrackKind::Lin1);
        case LIB3DS_HIDE_TRACK_TAG: return Track(child, TrackKind::Bool);
        case LIB3DS_MORPH_TRACK_TAG:
            // A second morph track would be appended through an unset pointer.
            if (morph) return Fail(child, "a second morph track in one node");
            morph = true;
            return Track(child, TrackKind::Morph);
        default: return true;
        }
    });
    if (!ok) return false;
    // Without a header the node's parent id stays 0, and lib3ds recurses on a node that is
    // its own parent while inserting it.
    if (!header) return Fail(chunk, "the node has no header (name and parent id)");
    if (link.id == link.parent) {
        return Fail(chunk, "node " + Num(link.id) + " names itself as its parent");
    }
    nodes_.push_back(link);
    return true;
}

// Flags, two unused words and a signed key count, then the keys: a frame, key flags, one float
// per set spline bit, and the key's value.
bool ModelFileChecker::Track(const Chunk& chunk, TrackKind kind)
{
    if (!Need(chunk, 14, "the track header")) return false;
    int32_t keys = static_cast<int32_t>(Dword(chunk.Payload() + 10));
    if (keys < 0 || static_cast<size_t>(keys) > kMaxKeysPerTrack) {
        return Fail(chunk, "a key count of " + std::to_string(keys) + " (at most " +
                               Num(kMaxKeysPerTrack) + ")");
    }
    keys_ += static_cast<size_t>(keys);
    if (keys_ > kMaxKeys) {
        return Fail(chunk, "more than " + Num(kMaxKeys) + " track keys in the file");
    }
    size_t valueBytes = 0;
    switch (kind) {
    case TrackKind::Bool:
    case TrackKind::Morph: valueBytes = 0; break;
    case TrackKind::Lin1: valueBytes = 4; break;
    case TrackKind::Lin3: valueBytes = 12; break;
    case TrackKind::Quat: valueBytes = 16; break;
    }
    size_t at = chunk.Payload() + 14;
    for (int32_t key = 0; key < keys; ++key) {
        std::string what = "key " + std::to_string(key) + " of " + std::to_string(keys);
        if (!NeedFrom(chunk, at, 6, what)) return false;
        int32_t frame = static_cast<int32_t>(Dword(at));
        if (frame < -kMaxKeyFrame || frame > kMaxKeyFrame) {
            return Fail(chunk, what + " is at frame " + std::to_string(frame) + ", beyond " +
                                   std::to_string(kMaxKeyFrame) + " either way");
        }
        size_t bytes = 6 + valueBytes;
        for (uint16_t bits = Word(at + 4) & kKeySplineBits; bits; bits &= bits - 1) bytes += 4;
        if (!NeedFrom(chunk, at, bytes, what)) return false;
        at += bytes;
        if (kind == TrackKind::Morph &&
            !String(chunk, at, kMorphNameBuffer, "the morph target name", &at)) {
            return false;
        }
    }
    return true;
}

// lib3ds_file_insert_node finds a parent by id and re-inserts every top-level node whose parent
// id is the new node's id. Unique ids without cycles make that end; anything else may recurse
// without end.
bool ModelFileChecker::NodeLinks()
{
    std::unordered_map<uint16_t, size_t> byId;
    for (size_t i = 0; i < nodes_.size(); ++i) {
        auto [it, fresh] = byId.emplace(nodes_[i].id, i);
        if (!fresh) {
            return Fail(nodes_[i].chunk, "node id " + Num(nodes_[i].id) +
                                             " is also used by the node at offset " +
                                             Num(nodes_[it->second].chunk.begin));
        }
    }
    enum : uint8_t { kUnseen, kOnPath, kSettled };
    std::vector<uint8_t> state(nodes_.size(), kUnseen);
    std::vector<size_t> path;
    for (size_t start = 0; start < nodes_.size(); ++start) {
        path.clear();
        size_t at = start;
        while (state[at] == kUnseen) {
            state[at] = kOnPath;
            path.push_back(at);
            auto parent = byId.find(nodes_[at].parent);
            if (nodes_[at].parent == kNoParent || parent == byId.end()) break;
            at = parent->second;
            if (state[at] == kOnPath) {
                return Fail(nodes_[at].chunk,
                            "node " + Num(nodes_[at].id) + " is its own ancestor (a parent cycle)");
            }
        }
        for (size_t node : path) state[node] = kSettled;
    }
    return true;
}

}  // namespace

bool CheckModelFile(const uint8_t* data, size_t size, std::string* error,
                    std::vector<ModelChunk>* walked)
{
    ModelFileChecker checker(data, size, walked);
    if (checker.Check()) return true;
    if (error) *error = checker.Error();
    return false;
}
