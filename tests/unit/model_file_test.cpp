// The checked 3DS load: the corpora of tests/data, files written by lib3ds itself and then
// damaged, and hand-made files for the hazards of lib3ds 1.3 that the corpora do not reach. A
// file the check lets through and lib3ds then fails on shows up as a check hole (IsCheckHole).
// CTest runs each test in a process of its own; reading whole corpora in one process, where
// lib3ds corrupts its static state after about 20 failed reads, is the tool tests' part
// (tests/tool).
#include "assets/model_file_load.h"
#include "assets/vertex_record.h"
#include "tests/bytes.h"
#include "tests/unique_temp_path.h"
#include "tools/generate_meshes.h"
#include "tools/write_3ds.h"

#include <gtest/gtest.h>
#include <lib3ds/chunk.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct FileDeleter {
    void operator()(Lib3dsFile* file) const { lib3ds_file_free(file); }
};
using FilePtr = std::unique_ptr<Lib3dsFile, FileDeleter>;

const std::string kMalformed = DOT3BUMP_TESTDATA_DIR "/3ds-malformed/";
const std::string kReal = DOT3BUMP_TESTDATA_DIR "/3ds-real/";

// Whether `error` is the one LoadModelFromMemory gives when lib3ds fails on a file that the
// check passed, i.e. a hole in the check. Compared whole: other errors may quote file content.
bool IsCheckHole(const std::string& error, const std::string& label)
{
    return error == label + ": lib3ds could not read it although the check passed";
}

FilePtr Load(const Bytes& bytes, std::string* error)
{
    return FilePtr(LoadModelFromMemory(bytes.data(), bytes.size(), "test", error));
}

// ---- Hand-made files --------------------------------------------------------------------

// A unit quad scaled by `scale`: four points, four texels, two faces, with `faceExtra` inside
// the face list and `meshExtra` after it.
Bytes QuadObject(Bytes faceExtra = {}, Bytes meshExtra = {}, float scale = 1.0f)
{
    const float corners[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    Bytes points = U16(4);
    Bytes texels = U16(4);
    for (const auto& corner : corners) {
        for (float c : corner) points = Cat({points, F32(c * scale)});
        texels = Cat({texels, F32(corner[0]), F32(corner[1])});
    }
    Bytes faces = Cat({U16(2), U16(0), U16(1), U16(2), U16(0), U16(0), U16(2), U16(3), U16(0)});
    return Chunk(
        LIB3DS_NAMED_OBJECT,
        {Str("Quad"), Chunk(LIB3DS_N_TRI_OBJECT,
                            {Chunk(LIB3DS_POINT_ARRAY, {points}), Chunk(LIB3DS_TEX_VERTS, {texels}),
                             Chunk(LIB3DS_FACE_ARRAY, {faces, faceExtra}), meshExtra})});
}

Bytes Node(uint16_t id, const std::string& name, uint16_t parent, Bytes extra = {})
{
    return Chunk(LIB3DS_OBJECT_NODE_TAG,
                 {Chunk(LIB3DS_NODE_ID, {U16(id)}),
                  Chunk(LIB3DS_NODE_HDR, {Str(name), U16(0), U16(0), U16(parent)}), extra});
}

Bytes Scene(Bytes mdata, Bytes kfdata)
{
    return Chunk(LIB3DS_M3DMAGIC, {Chunk(LIB3DS_MDATA, {mdata}), Chunk(LIB3DS_KFDATA, {kfdata})});
}

Bytes QuadScene(Bytes mdataExtra = {}, Bytes nodes = Node(0, "Quad", LIB3DS_NO_PARENT))
{
    return Scene(Cat({QuadObject(), mdataExtra}), nodes);
}

// The quad scene with additions inside its mesh.
Bytes QuadMeshScene(Bytes faceExtra, Bytes meshExtra = {}, float scale = 1.0f)
{
    return Scene(QuadObject(faceExtra, meshExtra, scale), Node(0, "Quad", LIB3DS_NO_PARENT));
}

// A track promising `keys` keys, `written` of them present at frames `step` apart, each with
// `value` as its value and no spline parameters.
Bytes Track(uint16_t id, int32_t keys, Bytes value, int written, uint32_t step = 1)
{
    Bytes body = Cat({U16(0), U32(0), U32(0), U32(uint32_t(keys))});
    for (int k = 0; k < written; ++k) body = Cat({body, U32(k * step), U16(0), value});
    return Chunk(id, {body});
}

// ---- The corpora --------------------------------------------------------------------------

TEST(ModelFileCorpus, RefusesEveryMalformedFileWithAnError)
{
    int refused = 0;
    for (const auto& entry : fs::directory_iterator(kMalformed)) {
        std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".3ds" || name == "hm_ok_quad.3ds") continue;
        std::string path = entry.path().string();
        std::string error;
        FilePtr file(LoadModelFile(path.c_str(), &error));
        EXPECT_EQ(file, nullptr) << name;
        EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << name << ": " << error;
        EXPECT_FALSE(IsCheckHole(error, path)) << name;
        ++refused;
    }
    EXPECT_GE(refused, 40) << "corpus not found in " << kMalformed;
}

TEST(ModelFileCorpus, ErrorsNameTheChunkAndItsOffset)
{
    struct Case {
        const char* file;
        const char* says;
    } cases[] = {
        {"03_face_index_60000_segv_read.3ds", "chunk 0x4120 at offset 105: face 1 uses point"},
        {"04_msh_mat_group_index_oob_heap_write.3ds", "chunk 0x4130 at offset 129"},
        {"05_node_parent_eq_id_stack_overflow.3ds", "chunk 0xB002 at offset 175"},
        {"05b_id0_chunk_skips_node_hdr_stack_overflow.3ds", "chunk 0x0000 at offset 1370"},
        {"hm_len_wrap_back.3ds", "chunk 0x1234 at offset 32: length 4294967290"},
        {"hm_points_shrunk_after_faces.3ds", "but the mesh has 2 points"},
        {"hm_obj_name_64.3ds", "the object name has 64 characters"},
        {"hm_texels_lt_points.3ds", "1 texture coordinates for 4 points"},
        {"hm_node_no_mesh.3ds", "no mesh named \"Other\""},
        {"hm_dup_mesh_names.3ds", "2 meshes named \"Quad\""},
    };
    for (const Case& c : cases) {
        std::string error;
        FilePtr file(LoadModelFile((kMalformed + c.file).c_str(), &error));
        EXPECT_NE(error.find(c.says), std::string::npos) << c.file << ": " << error;
    }
}

TEST(ModelFileCorpus, AcceptsTheValidQuadAndTheFilesOfRealTools)
{
    struct Case {
        std::string path;
        const char* mesh;
        unsigned points;
        unsigned faces;
    } cases[] = {
        {kMalformed + "hm_ok_quad.3ds", "Quad", 4, 2},
        {kReal + "CameraRollAnim.3ds", "Box01", 26, 12},
        {kReal + "CameraRollAnimWithChildObject.3ds", "Box01", 26, 12},
        {kReal + "TargetCameraAnim.3ds", "Box01", 26, 12},
        {kReal + "RotatingCube.3DS", "Box01", 26, 12},
        {kReal + "cube_with_diffuse_texture.3DS", "Quader01", 32, 12},
        {kReal + "cube_with_specular_texture.3DS", "Quader01", 32, 12},
        {kReal + "cubes_with_alpha.3DS", "Quader01", 26, 12},
        {kReal + "test1.3ds", "Box01", 32, 12},
    };
    for (const Case& c : cases) {
        std::string error;
        FilePtr file(LoadModelFile(c.path.c_str(), &error));
        ASSERT_NE(file, nullptr) << error;
        Lib3dsMesh* mesh = FindModelMesh(file.get());
        ASSERT_NE(mesh, nullptr) << c.path;
        EXPECT_STREQ(mesh->name, c.mesh);
        EXPECT_EQ(mesh->points, c.points) << c.path;
        EXPECT_EQ(mesh->texels, c.points) << c.path;
        EXPECT_EQ(mesh->faces, c.faces) << c.path;
    }
    FilePtr file(LoadModelFile((kReal + "test1.3ds").c_str(), nullptr));
    EXPECT_EQ(DescribeModelFile(file.get()), "Box01: 32 points, 12 faces");
}

// fels.3ds is a well-formed terrain without keyframer data: lib3ds reads it, but no node names
// the mesh to draw.
TEST(ModelFileCorpus, RefusesARealFileWithoutNodes)
{
    std::string error;
    FilePtr file(LoadModelFile((kReal + "fels.3ds").c_str(), &error));
    EXPECT_EQ(file, nullptr);
    EXPECT_NE(error.find("no keyframer node"), std::string::npos) << error;
}

TEST(ModelFileLoad, MissingAndEmptyFilesAreNamed)
{
    std::string error;
    EXPECT_EQ(LoadModelFile("no/such/model.3ds", &error), nullptr);
    EXPECT_EQ(error, "no/such/model.3ds: cannot be opened");

    fs::path empty = UniqueTempPath("dot3bump_empty_model");
    std::ofstream(empty.string()).close();
    EXPECT_EQ(LoadModelFile(empty.string().c_str(), &error), nullptr);
    EXPECT_EQ(error, empty.string() + ": is empty");
    fs::remove(empty);

    fs::path folder = UniqueTempPath("dot3bump_folder_model");
    fs::create_directory(folder);
    EXPECT_EQ(LoadModelFile(folder.string().c_str(), &error), nullptr);
    EXPECT_EQ(error, folder.string() + ": is not a regular file");
    fs::remove(folder);
}

// ---- A file written by lib3ds, damaged every way a short sweep allows ----------------------

class WrittenModel : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Lib3dsFile* file = lib3ds_file_new();
        Lib3dsMesh* mesh = lib3ds_mesh_new("Tetra");
        lib3ds_mesh_new_point_list(mesh, 4);
        lib3ds_mesh_new_texel_list(mesh, 4);
        lib3ds_mesh_new_face_list(mesh, 4);
        const float points[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
        for (int i = 0; i < 4; ++i) {
            std::memcpy(mesh->pointL[i].pos, points[i], sizeof points[i]);
            mesh->texelL[i][0] = points[i][0];
            mesh->texelL[i][1] = points[i][1];
            for (int k = 0; k < 3; ++k) mesh->faceL[i].points[k] = Lib3dsWord(faces[i][k]);
        }
        lib3ds_file_insert_mesh(file, mesh);
        Lib3dsNode* node = lib3ds_node_new_object();
        std::strcpy(node->name, "Tetra");
        node->parent_id = LIB3DS_NO_PARENT;  // 0 would make the node its own parent
        lib3ds_file_insert_node(file, node);
        fs::path path = UniqueTempPath("dot3bump_written_model");
        ASSERT_TRUE(lib3ds_file_save(file, path.string().c_str()));
        lib3ds_file_free(file);
        bytes_ = ReadAll(path.string());
        fs::remove(path);
    }

    // Loads `bytes`: refused or accepted, but never refused by lib3ds after the check passed.
    static bool Survives(const Bytes& bytes, const std::string& what)
    {
        std::string error;
        FilePtr file = Load(bytes, &error);
        EXPECT_FALSE(IsCheckHole(error, "test")) << what;
        return file != nullptr;
    }

    static Bytes bytes_;
};

Bytes WrittenModel::bytes_;

TEST_F(WrittenModel, LoadsAsWritten)
{
    std::string error;
    FilePtr file = Load(bytes_, &error);
    ASSERT_NE(file, nullptr) << error;
    EXPECT_EQ(DescribeModelFile(file.get()), "Tetra: 4 points, 4 faces");
}

// Every length, so every chunk boundary among them: the root chunk then runs past the end.
TEST_F(WrittenModel, EveryTruncationIsRefused)
{
    for (size_t length = 0; length < bytes_.size(); ++length) {
        Bytes cut(bytes_.begin(), bytes_.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(Survives(cut, "cut at " + std::to_string(length)));
    }
}

// Chunk lengths, counts, indices and ids all sit on 16- or 32-bit fields: each one at every
// offset is set to values that break a reader.
TEST_F(WrittenModel, AlteredLengthsAndCountsNeverGetPastTheCheckBroken)
{
    int accepted = 0;
    for (size_t at = 0; at + 2 <= bytes_.size(); ++at) {
        const uint16_t word = ReadU16(&bytes_[at]);
        for (uint16_t value :
             {uint16_t(0), uint16_t(5), uint16_t(word - 1), uint16_t(word + 1), uint16_t(0xFFFF)}) {
            Bytes altered = bytes_;
            WriteU16(&altered[at], value);
            accepted += Survives(altered, "word at " + std::to_string(at));
        }
        if (at + 4 > bytes_.size()) continue;
        for (uint32_t value : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFAu}) {
            Bytes altered = bytes_;
            WriteU32(&altered[at], value);
            accepted += Survives(altered, "dword at " + std::to_string(at));
        }
    }
    EXPECT_GT(accepted, 0) << "no altered file reached lib3ds";
}

// ---- Hazards of lib3ds the corpora do not reach ---------------------------------------------

TEST(ModelFileCheck, AcceptsTheHandMadeQuad)
{
    std::string error;
    EXPECT_NE(Load(QuadScene(), &error), nullptr) << error;
}

TEST(ModelFileCheck, RefusesWhatWouldOverrunLib3dsBuffers)
{
    Bytes color = Chunk(LIB3DS_COLOR_F, {F32(0), F32(0), F32(0)});
    Bytes gradient = Chunk(LIB3DS_V_GRADIENT, {F32(0.5f), color, color, color, color});
    Bytes morph = Track(LIB3DS_MORPH_TRACK_TAG, 1, Str("Target"), 1);
    Bytes longMorph = Track(LIB3DS_MORPH_TRACK_TAG, 1, Str("TooLongName"), 1);
    Bytes sceneName = Chunk(LIB3DS_KFHDR, {U16(5), Str("ThirteenChars"), U32(100)});
    struct Case {
        Bytes file;
        const char* says;
    } cases[] = {
        {QuadScene(gradient), "more than 3 gradient colours"},
        {QuadScene({}, Node(0, "Quad", LIB3DS_NO_PARENT, Cat({morph, morph}))), "second morph"},
        {QuadScene({}, Node(0, "Quad", LIB3DS_NO_PARENT, longMorph)), "morph target name"},
        {QuadScene({}, Cat({sceneName, Node(0, "Quad", LIB3DS_NO_PARENT)})), "the scene name"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(Load(c.file, &error), nullptr) << c.says;
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

// Each bound the check sets, taken exactly and then passed by one.
TEST(ModelFileCheck, TakesEachLimitAndRefusesOnePastIt)
{
    const auto repeat = [](const Bytes& part, int times) {
        Bytes out;
        for (int i = 0; i < times; ++i) out = Cat({out, part});
        return out;
    };
    const auto quadNode = [](Bytes extra) { return Node(0, "Quad", LIB3DS_NO_PARENT, extra); };
    const Bytes material = Chunk(LIB3DS_MAT_ENTRY, {Chunk(LIB3DS_MAT_NAME, {Str("M")})});
    const Bytes gamma = Chunk(LIB3DS_COLOR_F, {F32(0), F32(0), F32(0)});
    const Bytes linear = Chunk(LIB3DS_LIN_COLOR_F, {F32(0), F32(0), F32(0)});
    const auto gradient = [](Bytes colours) {
        return Chunk(LIB3DS_V_GRADIENT, {F32(0.5f), colours});
    };
    const Bytes value = Cat({F32(0), F32(0), F32(0)});
    const auto nodes = [](int count, Bytes extra) {
        Bytes out = Node(0, "Quad", LIB3DS_NO_PARENT, extra);
        for (int id = 1; id < count; ++id) out = Cat({out, Node(uint16_t(id), "Quad", 0, extra)});
        return out;
    };
    const Bytes fullTrack = Track(LIB3DS_POS_TRACK_TAG, 4096, value, 4096);
    struct Case {
        const char* what;
        Bytes atLimit, pastLimit;
        const char* says;
    } cases[] = {
        {"4096 objects and materials", QuadScene(repeat(material, 4095)),
         QuadScene(repeat(material, 4096)), "more than 4096 objects and materials"},
        {"3 gradient colours of each kind", QuadScene(gradient(repeat(Cat({gamma, linear}), 3))),
         QuadScene(gradient(Cat({gamma, repeat(linear, 4)}))), "more than 3 gradient colours"},
        {"4096 keyframer nodes", QuadScene({}, nodes(4096, {})), QuadScene({}, nodes(4097, {})),
         "more than 4096 keyframer nodes"},
        {"4096 keys in a track", QuadScene({}, quadNode(fullTrack)),
         QuadScene({}, quadNode(Track(LIB3DS_POS_TRACK_TAG, 4097, value, 4097))),
         "a key count of 4097 (at most 4096)"},
        {"65536 keys in the file", QuadScene({}, nodes(16, fullTrack)),
         QuadScene({}, Cat({nodes(16, fullTrack),
                            Node(16, "Quad", 0, Track(LIB3DS_POS_TRACK_TAG, 1, value, 1))})),
         "more than 65536 track keys"},
        {"a key at frame 2^24",
         QuadScene({}, quadNode(Track(LIB3DS_POS_TRACK_TAG, 2, value, 2, 1u << 24))),
         QuadScene({}, quadNode(Track(LIB3DS_POS_TRACK_TAG, 2, value, 2, (1u << 24) + 1))),
         "beyond 16777216 either way"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_NE(Load(c.atLimit, &error), nullptr) << c.what << ": " << error;
        EXPECT_EQ(Load(c.pastLimit, &error), nullptr) << "one past " << c.what;
        EXPECT_NE(error.find(c.says), std::string::npos)
            << "one past " << c.what << ": Expected \"" << c.says << "\"; Observed " << error;
    }
}

// Missing keys, and key frames so far apart that lib3ds's spline set-up overflows an int.
TEST(ModelFileCheck, RefusesTracksLib3dsCannotSetUp)
{
    Bytes value = Cat({F32(0), F32(0), F32(0)});
    for (const Bytes& track :
         {Track(LIB3DS_POS_TRACK_TAG, -1, value, 0), Track(LIB3DS_POS_TRACK_TAG, 3, value, 2),
          Track(LIB3DS_ROT_TRACK_TAG, 1, value, 1),
          Track(LIB3DS_POS_TRACK_TAG, 3, value, 3, 0x60000000u)}) {
        std::string error;
        EXPECT_EQ(Load(QuadScene({}, Node(0, "Quad", LIB3DS_NO_PARENT, track)), &error), nullptr);
        EXPECT_NE(error.find("chunk 0xB02"), std::string::npos) << error;
    }
    std::string error;
    Bytes keys = Track(LIB3DS_POS_TRACK_TAG, 2, value, 2);
    EXPECT_NE(Load(QuadScene({}, Node(0, "Quad", LIB3DS_NO_PARENT, keys)), &error), nullptr)
        << error;
}

TEST(ModelFileCheck, NodeLinksMustFormATree)
{
    const uint16_t none = LIB3DS_NO_PARENT;
    std::string error;
    // A child may come before its parent: lib3ds re-links it when the parent arrives.
    Bytes tree = Cat({Node(2, "Leaf", 1), Node(1, "Arm", 0), Node(0, "Root", none)});
    EXPECT_NE(Load(QuadScene({}, Cat({Node(9, "Quad", none), tree})), &error), nullptr) << error;

    Bytes cycle = Cat({Node(0, "Quad", 2), Node(1, "B", 0), Node(2, "C", 1)});
    EXPECT_EQ(Load(QuadScene({}, cycle), &error), nullptr);
    EXPECT_NE(error.find("parent cycle"), std::string::npos) << error;

    Bytes twice = Cat({Node(4, "Quad", none), Node(4, "Other", none)});
    EXPECT_EQ(Load(QuadScene({}, twice), &error), nullptr);
    EXPECT_NE(error.find("node id 4 is also used"), std::string::npos) << error;
}

TEST(ModelFileCheck, FacesAreCheckedAgainstTheLastPointArray)
{
    Bytes threePoints = Chunk(LIB3DS_POINT_ARRAY, {U16(3), Bytes(36, 0)});
    Bytes fivePoints = Chunk(LIB3DS_POINT_ARRAY, {U16(5), Bytes(60, 0)});
    std::string error;
    EXPECT_EQ(Load(QuadMeshScene({}, threePoints), &error), nullptr);
    EXPECT_NE(error.find("face 1 uses point 3, but the mesh has 3 points"), std::string::npos)
        << error;
    // Five points but four texels: the check passes, the texel count then refuses it.
    EXPECT_EQ(Load(QuadMeshScene({}, fivePoints), &error), nullptr);
    EXPECT_NE(error.find("4 texture coordinates for 5 points"), std::string::npos) << error;
}

TEST(ModelFileCheck, RefusesAChildOfIdZeroAndShortSubChunks)
{
    std::string error;
    EXPECT_EQ(Load(QuadMeshScene(Chunk(0, {})), &error), nullptr);
    EXPECT_NE(error.find("chunk 0x0000"), std::string::npos) << error;
    Bytes smoothing = Chunk(LIB3DS_SMOOTH_GROUP, {U32(1)});  // one face of two
    EXPECT_EQ(Load(QuadMeshScene(smoothing), &error), nullptr);
    EXPECT_NE(error.find("smoothing groups for 2 faces"), std::string::npos) << error;
}

TEST(ModelFileLoad, RefusesCoordinatesAndNormalsThatAreNotFinite)
{
    std::string error;
    EXPECT_EQ(Load(QuadMeshScene({}, {}, NAN), &error), nullptr);
    EXPECT_NE(error.find("coordinate that is not finite"), std::string::npos) << error;
    // Finite points whose cross products overflow.
    EXPECT_EQ(Load(QuadMeshScene({}, {}, 1e20f), &error), nullptr);
    EXPECT_NE(error.find("face normal that is not finite"), std::string::npos) << error;
}

}  // namespace

// An object mirrored in a modelling program comes with a mesh matrix of negative determinant,
// and lib3ds mirrors its points back in the mesh's frame as it reads them. Written with the
// project's writer, which mirrors them as it writes, the cube loads with its own points again:
// it must get its own tangent basis too, so that it is lit as its unmirrored twin.
TEST(ModelFileLoad, MirroredMeshIsLitAsItsUnmirroredTwin)
{
    MeshData plain = MakeCubeMesh();
    MeshData mirrored = plain;
    mirrored.matrix[0][0] = -1.0f;
    uint32_t counts[2] = {0, 0};
    std::unique_ptr<VertexRecord, decltype(&std::free)> records[2] = {{nullptr, std::free},
                                                                      {nullptr, std::free}};
    const MeshData* meshes[2] = {&plain, &mirrored};
    for (int i = 0; i < 2; ++i) {
        std::string error;
        const Bytes bytes = Encode3dsFile(*meshes[i], &error);
        FilePtr file = Load(bytes, &error);
        ASSERT_NE(file, nullptr) << error;
        records[i].reset(BuildVertexRecords(*FindModelMesh(file.get()), &counts[i]));
        ASSERT_NE(records[i], nullptr);
    }
    ASSERT_EQ(counts[0], counts[1]);
    const auto near = [](const Vec3d& a, const Vec3d& b) {
        return std::abs(a.x - b.x) < 1e-6 && std::abs(a.y - b.y) < 1e-6 &&
               std::abs(a.z - b.z) < 1e-6;
    };
    for (uint32_t k = 0; k < counts[0]; ++k) {
        const VertexRecord &a = records[0].get()[k], &b = records[1].get()[k];
        EXPECT_TRUE(near(a.position, b.position)) << "corner " << k;
        EXPECT_TRUE(near(a.axisR, b.axisR) && near(a.axisS, b.axisS) && near(a.axisT, b.axisT))
            << "corner " << k << ": normal " << b.axisR.x << " " << b.axisR.y << " " << b.axisR.z
            << ", its twin's " << a.axisR.x << " " << a.axisR.y << " " << a.axisR.z;
    }
}
