#include "tools/generate_files.h"

#include "tools/bmp_writer.h"
#include "tools/brick_pattern.h"
#include "tools/file_bytes.h"
#include "tools/generate_meshes.h"
#include "tools/generate_textures.h"
#include "tools/write_3ds.h"

#include <system_error>

std::vector<DataFile> MakeDataFiles(std::string* error)
{
    std::vector<DataFile> files;
    files.push_back({"cube.3ds", Encode3dsFile(MakeCubeMesh(), error)});
    files.push_back({"sphere.3ds", Encode3dsFile(MakeSphereMesh(), error)});
    if (files[0].bytes.empty() || files[1].bytes.empty()) return {};
    files.push_back({"tex.bmp", EncodeBitmap24(kTextureSize, kTextureSize, MakeColorTexture())});
    files.push_back(
        {"map_normal.bmp", EncodeBitmap24(kTextureSize, kTextureSize, MakeBrickNormalMap())});
    return files;
}

bool WriteDataFiles(const std::filesystem::path& folder, std::string* error)
{
    const std::vector<DataFile> files = MakeDataFiles(error);
    if (files.empty()) return false;
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (code) {
        *error = folder.string() + ": " + code.message();
        return false;
    }
    for (const DataFile& file : files) {
        const std::string path = (folder / file.name).string();
        if (!WriteFileBytes(path, file.bytes)) {
            *error = path + ": cannot be written";
            return false;
        }
    }
    return true;
}
