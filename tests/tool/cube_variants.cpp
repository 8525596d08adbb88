// cube_variants DIR: writes damaged copies of the generated cube into DIR, for `dot3bump-assets
// check` to read all in one process. Each file is named NNN-fails-WHAT.3ds when no loader may
// accept it, NNN-either-WHAT.3ds when the damage could happen to leave a readable file, and
// NNN-loads-WHAT.3ds when it must load: the undamaged cube (WHAT is "unchanged") and the cubes
// that load with a warning.
//
// The damage follows the chunk tree of the real file: cuts at every chunk boundary, every
// chunk's length and id replaced, every count and a face index made to disagree with its data,
// a coordinate that is not a number and a node that is its own parent.
#include "assets/model_file_check.h"
#include "tests/bytes.h"
#include "tools/file_bytes.h"
#include "tools/generate_meshes.h"
#include "tools/write_3ds.h"

#include <lib3ds/chunk.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Walked {
    uint16_t id;
    size_t offset;
    uint32_t length;
    size_t parentEnd;
    size_t payload;  // where the fields (or the children of a container) start
};

// The file's chunks as the loader's check walks them, the way lib3ds reads the tree.
std::vector<Walked> Walk(const Bytes& b)
{
    std::vector<ModelChunk> walked;
    std::vector<Walked> chunks;
    if (!CheckModelFile(b.data(), b.size(), nullptr, &walked)) return chunks;
    for (const ModelChunk& c : walked)
        chunks.push_back({c.id, c.begin, uint32_t(c.end - c.begin), c.parentEnd, c.begin + 6});
    return chunks;
}

class Writer {
public:
    explicit Writer(std::string folder) : folder_(std::move(folder)) {}

    void Damaged(bool mustFail, const std::string& what, const Bytes& bytes)
    {
        Write(mustFail ? "fails" : "either", what, bytes);
    }

    void Write(const char* expected, const std::string& what, const Bytes& bytes)
    {
        char name[32];
        std::snprintf(name, sizeof name, "%03d-%s-", count_++, expected);
        const std::string path = folder_ + "/" + name + what + ".3ds";
        if (!WriteFileBytes(path, bytes)) {
            std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
            failed_ = true;
        }
    }

    bool failed() const { return failed_; }

private:
    std::string folder_;
    int count_ = 0;
    bool failed_ = false;
};

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

void Truncations(const Bytes& cube, const std::vector<Walked>& chunks, Writer& out)
{
    std::set<size_t> cuts;
    for (const Walked& chunk : chunks)
        cuts.insert({chunk.offset, chunk.payload, chunk.offset + chunk.length});
    for (size_t cut : cuts) {
        if (cut < cube.size())
            out.Damaged(true, "cut-at-" + std::to_string(cut),
                        Bytes(cube.begin(), cube.begin() + long(cut)));
    }
}

void Lengths(const Bytes& cube, const std::vector<Walked>& chunks, Writer& out)
{
    for (const Walked& chunk : chunks) {
        const std::string where = Hex(chunk.id) + "-at-" + std::to_string(chunk.offset) + "-";
        const uint32_t pastParent = uint32_t(chunk.parentEnd - chunk.offset + 1);
        const struct {
            uint32_t length;
            bool mustFail;
        } cases[] = {{0, true},
                     {1, true},
                     {5, true},
                     {6, false},
                     {chunk.length - 1, false},
                     {chunk.length + 1, false},
                     {pastParent, true},
                     {0x7FFFFFFF, true},
                     {0xFFFFFFFF, true}};
        for (const auto& change : cases) {
            if (change.length == chunk.length) continue;
            Bytes bytes = cube;
            WriteU32(&bytes[chunk.offset + 2], change.length);
            out.Damaged(change.mustFail, where + "length-" + Hex(change.length), bytes);
        }
        Bytes bytes = cube;
        WriteU16(&bytes[chunk.offset], 0);
        out.Damaged(true, where + "id-0", bytes);
    }
}

void Counts(const Bytes& cube, const std::vector<Walked>& chunks, Writer& out)
{
    for (const Walked& chunk : chunks) {
        const std::string where = Hex(chunk.id) + "-at-" + std::to_string(chunk.offset) + "-";
        if (chunk.id == LIB3DS_POINT_ARRAY || chunk.id == LIB3DS_TEX_VERTS ||
            chunk.id == LIB3DS_FACE_ARRAY) {
            const uint16_t count = U16At(cube, chunk.payload);
            for (uint16_t changed :
                 {uint16_t(0), uint16_t(count - 1), uint16_t(count + 1), uint16_t(0xFFFF)}) {
                Bytes bytes = cube;
                WriteU16(&bytes[chunk.payload], changed);
                // Fewer faces leave their chunk longer than its fields: lib3ds then reads the
                // rest as child chunks, which may happen to hold together.
                const bool mustFail = changed > count || chunk.id != LIB3DS_FACE_ARRAY;
                out.Damaged(mustFail, where + "count-" + std::to_string(changed), bytes);
            }
        }
        if (chunk.id == LIB3DS_POS_TRACK_TAG || chunk.id == LIB3DS_ROT_TRACK_TAG ||
            chunk.id == LIB3DS_SCL_TRACK_TAG) {
            for (uint32_t keys : {2u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
                Bytes bytes = cube;
                WriteU32(&bytes[chunk.payload + 10], keys);
                out.Damaged(true, where + "keys-" + Hex(keys), bytes);
            }
        }
    }
}

void Contents(const Bytes& cube, const std::vector<Walked>& chunks, Writer& out)
{
    uint16_t points = 0;
    for (const Walked& chunk : chunks) {
        const std::string where = Hex(chunk.id) + "-at-" + std::to_string(chunk.offset) + "-";
        if (chunk.id == LIB3DS_POINT_ARRAY) {
            points = U16At(cube, chunk.payload);
            Bytes bytes = cube;
            const float nan = std::numeric_limits<float>::quiet_NaN();
            std::memcpy(&bytes[chunk.payload + 2 + 4], &nan, 4);  // little-endian host
            out.Damaged(true, where + "nan-point", bytes);
        }
        if (chunk.id == LIB3DS_FACE_ARRAY) {
            for (uint16_t index : {points, uint16_t(0xFFFF)}) {
                Bytes bytes = cube;
                WriteU16(&bytes[chunk.payload + 2 + 2], index);
                out.Damaged(true, where + "face-index-" + std::to_string(index), bytes);
            }
        }
        if (chunk.id == LIB3DS_NODE_HDR) {
            // The node's id is 0, the id lib3ds gives a node without a NODE_ID chunk as well.
            const size_t name = std::strlen(reinterpret_cast<const char*>(&cube[chunk.payload]));
            Bytes bytes = cube;
            WriteU16(&bytes[chunk.payload + name + 1 + 4], 0);
            out.Damaged(true, where + "own-parent", bytes);
        }
    }
}

// Cubes that load but that `check` warns about: one mirrored in a modelling program, one with a
// face folded flat (a corner moved onto the diagonal opposite it) and one whose texture
// coordinates squash a face's mapping onto a line. The corner and the texture coordinate belong
// to the second triangle of the first side alone.
bool DrawableVariants(Writer& out, std::string* error)
{
    MeshData mirrored = MakeCubeMesh();
    mirrored.matrix[0][0] = -1.0f;
    MeshData flat = MakeCubeMesh();
    for (int axis = 0; axis < 3; ++axis)
        flat.points[3][axis] = (flat.points[0][axis] + flat.points[2][axis]) / 2;
    MeshData unmapped = MakeCubeMesh();
    unmapped.texels[3] = {0.5f, 0.5f};
    const std::pair<const char*, const MeshData*> variants[] = {
        {"mirrored", &mirrored}, {"flat-face", &flat}, {"unmapped-face", &unmapped}};
    for (const auto& [what, mesh] : variants) {
        const Bytes bytes = Encode3dsFile(*mesh, error);
        if (bytes.empty()) return false;
        out.Write("loads", what, bytes);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: cube_variants DIR\n", stderr);
        return 2;
    }
    std::string error;
    const Bytes cube = Encode3dsFile(MakeCubeMesh(), &error);
    if (cube.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::vector<Walked> chunks = Walk(cube);
    Writer out(argv[1]);
    out.Write("loads", "unchanged", cube);
    if (!DrawableVariants(out, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Truncations(cube, chunks, out);
    Lengths(cube, chunks, out);
    Counts(cube, chunks, out);
    Contents(cube, chunks, out);
    return out.failed() ? 1 : 0;
}
