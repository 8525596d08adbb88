// dot3bump-assets: makes the program's data files, turns users' models and height maps into
// files the program draws, and checks or decodes files with the very loaders the program uses.
#include "assets/bitmap_image.h"
#include "tools/bmp_writer.h"
#include "tools/check_files.h"
#include "tools/file_bytes.h"
#include "tools/generate_files.h"
#include "tools/import_model.h"
#include "tools/normal_map.h"
#include "tools/ppm.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage()
{
    std::fputs(
        "usage: dot3bump-assets --version\n"
        "       dot3bump-assets generate DIR\n"
        "       dot3bump-assets check FILE...\n"
        "       dot3bump-assets decode IN.bmp OUT.ppm\n"
        "       dot3bump-assets normalmap HEIGHT.bmp OUT.bmp [--strength S]\n",
        stderr);
    std::fputs(
        ImportAvailable()
            ? "       dot3bump-assets import MODEL OUT.3ds [--as cube|sphere] [--mesh NAME]\n"
            : "       (import: not in this build; the Linux build's dot3bump-assets has it)\n",
        stderr);
    return kUsage;
}

// Reads a bitmap with the program's own loader and writes what `convert` makes of it.
int ConvertBitmap(const char* input, const char* output,
                  const std::function<std::vector<uint8_t>(const RgbImage&)>& convert)
{
    char message[kImageMessageSize];
    RgbImage* image = ReadBitmapImage(input, message);
    if (!image) {
        const size_t length = std::strlen(message);
        std::fprintf(stderr, "%s%s", message, length && message[length - 1] == '\n' ? "" : "\n");
        return kFailed;
    }
    const bool written = WriteFileBytes(output, convert(*image));
    std::free(image->pixels);
    delete image;
    if (!written) {
        std::fprintf(stderr, "%s: cannot be written\n", output);
        return kFailed;
    }
    return 0;
}

// Options after the fixed arguments, as name/value pairs.
bool ReadOptions(int count, char** args, const std::vector<std::string>& names,
                 std::vector<std::string>* values)
{
    values->assign(names.size(), "");
    for (int i = 0; i < count; i += 2) {
        const auto found = std::find(names.begin(), names.end(), args[i]);
        if (found == names.end() || i + 1 >= count) return false;
        (*values)[size_t(found - names.begin())] = args[i + 1];
    }
    return true;
}

int Import(int count, char** args)
{
    std::vector<std::string> options;
    if (count < 2 || !ReadOptions(count - 2, args + 2, {"--as", "--mesh"}, &options))
        return Usage();
    ImportRequest request;
    request.input = args[0];
    request.output = args[1];
    if (options[0] == "sphere") {
        request.slot = ModelSlot::Sphere;
    } else if (!options[0].empty() && options[0] != "cube") {
        return Usage();
    }
    request.meshName = options[1];
    std::string message;
    const bool imported = ImportModel(request, &message);
    std::fprintf(imported ? stdout : stderr, "%s\n", message.c_str());
    return imported ? 0 : kFailed;
}

int NormalMap(int count, char** args)
{
    std::vector<std::string> options;
    if (count < 2 || !ReadOptions(count - 2, args + 2, {"--strength"}, &options)) return Usage();
    // Full grey is three texels above black, the brick faces' height over their mortar in the
    // shipped normal map.
    double strength = 3.0;
    if (!options[0].empty()) {
        char* end = nullptr;
        strength = std::strtod(options[0].c_str(), &end);
        if (*end != '\0' || !std::isfinite(strength) || strength <= 0) {
            std::fprintf(stderr, "--strength %s: not a positive number\n", options[0].c_str());
            return kUsage;
        }
    }
    return ConvertBitmap(args[0], args[1], [strength](const RgbImage& image) {
        return EncodeBitmap24(
            image.width, image.height,
            MakeNormalMap(image.width, image.height, BitmapHeights(image, strength)));
    });
}

int Generate(const char* folder)
{
    std::string error;
    if (!WriteDataFiles(folder, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kFailed;
    }
    return 0;
}

int Check(int count, char** paths)
{
    int status = 0;
    for (int i = 0; i < count; ++i) {
        const FileCheck check = CheckDataFile(paths[i]);
        std::FILE* stream = check.loaded ? stdout : stderr;
        std::fprintf(stream, "%s\n", check.line.c_str());
        // Both streams may go to one file or pipe: keep the lines in file order.
        std::fflush(stream);
        if (!check.loaded) status = kFailed;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--version" && argc == 2) {
        std::puts("dot3bump-assets " DOT3BUMP_VERSION);
        return 0;
    }
    if (command == "generate" && argc == 3) return Generate(argv[2]);
    if (command == "check" && argc >= 3) return Check(argc - 2, argv + 2);
    if (command == "decode" && argc == 4) return ConvertBitmap(argv[2], argv[3], EncodePpm);
    if (command == "normalmap") return NormalMap(argc - 2, argv + 2);
    if (command == "import") return Import(argc - 2, argv + 2);
    return Usage();
}
