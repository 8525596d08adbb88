#include "tools/check_files.h"

#include "assets/bitmap_image.h"
#include "assets/model_file_load.h"
#include "assets/vertex_record.h"

#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

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

bool LooksLikeModel(const std::string& path)
{
    if (EndsWithNoCase(path, ".3ds")) return true;
    if (EndsWithNoCase(path, ".bmp") || EndsWithNoCase(path, ".dib")) return false;
    unsigned char magic[2] = {0, 0};
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        const size_t got = std::fread(magic, 1, sizeof magic, file);
        std::fclose(file);
        if (got < sizeof magic) return false;
    }
    return magic[0] == 0x4D && magic[1] == 0x4D;  // M3DMAGIC, little-endian
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
                     std::to_string(vertices) + " vertices";
    }
    std::free(records);
    lib3ds_file_free(file);
    return check;
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
    check.line =
        path + ": bitmap " + std::to_string(image->width) + " x " + std::to_string(image->height);
    std::free(image->pixels);
    delete image;
    return check;
}

}  // namespace

FileCheck CheckDataFile(const std::string& path)
{
    return LooksLikeModel(path) ? CheckModel(path) : CheckBitmap(path);
}
