#include "tools/check_files.h"

#include "assets/bitmap_image.h"
#include "assets/model_file_load.h"
#include "assets/vertex_record.h"
#include "math/point_box.h"
#include "platform/byte_order.h"
#include "platform/platform.h"
#include "tools/generate_meshes.h"

#include <lib3ds/file.h>
#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[text.size() - suffix.size() + i]);
        if (std::tolower(c) != suffix[i]) return false;
    }
    return true;
}

// Up to `count` bytes from the start of the file; fewer when it is shorter, none when it is not
// a regular file or cannot be opened. Through the platform's file mapping, which never waits
// on a FIFO or a device, whatever the name says.
std::vector<uint8_t> FirstBytes(const std::string& path, size_t count)
{
    MappedFile file;
    if (PlatformMapFile(path.c_str(), &file) != MapFileResult::Mapped) return {};
    const std::vector<uint8_t> bytes(file.data, file.data + std::min(count, file.size));
    PlatformUnmapFile(&file);
    return bytes;
}

bool LooksLikeModel(const std::string& path)
{
    if (EndsWithNoCase(path, ".3ds")) return true;
    if (EndsWithNoCase(path, ".bmp") || EndsWithNoCase(path, ".dib")) return false;
    const std::vector<uint8_t> magic = FirstBytes(path, 2);
    return magic.size() == 2 && magic[0] == 0x4D && magic[1] == 0x4D;  // M3DMAGIC, little-endian
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value == 0 ? 0.0 : value);  // no "-0"
    return text;
}

// What the program will show of a mesh: its box, its size against the shipped model it would
// replace (by the file's name; both when the name says neither), whether lib3ds mirrors it, and
// its faces whose basis is undefined.
std::string DescribeShape(const std::string& path, const Lib3dsMesh& mesh)
{
    PointBox bounds(mesh.pointL[0].pos);
    for (Lib3dsDword i = 1; i < mesh.points; ++i) bounds.Add(mesh.pointL[i].pos);
    std::string box = "box ";
    for (int axis = 0; axis < 3; ++axis)
        box += Number(bounds.Side(axis)) + (axis < 2 ? " x " : " around (");
    for (int axis = 0; axis < 3; ++axis)
        box += Number(bounds.Centre(axis)) + (axis < 2 ? ", " : ")");
    const double largest = bounds.LargestSide();

    const std::string name = std::filesystem::path(path).filename().string();
    const bool cube = name.find("cube") != std::string::npos;
    const bool sphere = name.find("sphere") != std::string::npos;
    std::string size;
    if (cube || !sphere)
        size += ", " + Number(largest / (2 * kCubeHalfSize)) + " x the shipped cube";
    if (sphere || !cube)
        size += ", " + Number(largest / (2 * kSphereRadius)) + " x the shipped sphere";

    // lib3ds has mirrored the points of such a mesh in its own frame as it read them.
    const std::string mirrored = lib3ds_matrix_det(const_cast<Lib3dsMesh&>(mesh).matrix) < 0
                                     ? "mirrored by lib3ds"
                                     : "not mirrored";

    int flat = 0, unmapped = 0;
    for (Lib3dsDword f = 0; f < mesh.faces; ++f) {
        const Lib3dsWord* p = mesh.faceL[f].points;
        const auto cross = [](double ax, double ay, double bx, double by) {
            return ax * by - ay * bx;
        };
        const float *a = mesh.pointL[p[0]].pos, *b = mesh.pointL[p[1]].pos,
                    *c = mesh.pointL[p[2]].pos;
        const double e[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
        const double g[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
        const double n[3] = {cross(e[1], e[2], g[1], g[2]), cross(e[2], e[0], g[2], g[0]),
                             cross(e[0], e[1], g[0], g[1])};
        if (n[0] == 0 && n[1] == 0 && n[2] == 0) ++flat;
        const float *ta = mesh.texelL[p[0]], *tb = mesh.texelL[p[1]], *tc = mesh.texelL[p[2]];
        if (cross(double(tb[0]) - ta[0], double(tb[1]) - ta[1], double(tc[0]) - ta[0],
                  double(tc[1]) - ta[1]) == 0)
            ++unmapped;
    }
    const std::string faces =
        flat + unmapped == 0 ? "every face has an area and a texture mapping"
                             : std::to_string(flat) + " faces without area, " +
                                   std::to_string(unmapped) + " with a degenerate texture mapping";
    return box + size + "; " + mirrored + "; " + faces;
}

FileCheck CheckModel(const std::string& path)
{
    FileCheck check;
    std::string error;
    Lib3dsFile* file = LoadModelFile(path.c_str(), &error);
    if (!file) {
        check.line = error;  // it starts with the file name already
        return check;
    }
    const Lib3dsMesh* mesh = FindModelMesh(file);
    uint32_t vertices = 0;
    VertexRecord* records = mesh ? BuildVertexRecords(*mesh, &vertices) : nullptr;
    if (!records) {
        check.line = path + ": the mesh loaded but could not be prepared for drawing";
    } else {
        check.loaded = true;
        check.line = path + ": mesh " + mesh->name + ", " + std::to_string(mesh->points) +
                     " points, " + std::to_string(mesh->faces) + " faces, " +
                     std::to_string(vertices) + " vertices; " + DescribeShape(path, *mesh);
    }
    std::free(records);
    lib3ds_file_free(file);
    return check;
}

bool PowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

// The bit count of a bitmap file that loaded, from its core or info header.
int BitsPerPixel(const std::string& path)
{
    std::vector<uint8_t> bytes = FirstBytes(path, 30);
    bytes.resize(30);
    const size_t header = bytes[0] == 'B' && bytes[1] == 'M' ? 14 : 0;
    const size_t field = header + (bytes[header] == 12 ? 10 : 14);
    return ReadU16(&bytes[field]);
}

FileCheck CheckBitmap(const std::string& path)
{
    FileCheck check;
    char message[kImageMessageSize];
    RgbImage* image = ReadBitmapImage(path.c_str(), message);
    if (!image) {
        std::string text = message;
        // The open failure's text ends in a line feed, meant for a message box.
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        check.line = path + ": " + text;
        return check;
    }
    check.loaded = true;
    check.line = path + ": bitmap " + std::to_string(image->width) + " x " +
                 std::to_string(image->height) + ", " + std::to_string(BitsPerPixel(path)) +
                 " bits per pixel, sides " +
                 (PowerOfTwo(image->width) && PowerOfTwo(image->height)
                      ? "powers of two"
                      : "not powers of two (drivers older than OpenGL 2.0 need them)");
    std::free(image->pixels);
    delete image;
    return check;
}

}  // namespace

FileCheck CheckDataFile(const std::string& path)
{
    return LooksLikeModel(path) ? CheckModel(path) : CheckBitmap(path);
}
