// dot3bump-assets: makes the program's data files, and checks or decodes files that users bring,
// with the very loaders the program uses.
#include "assets/bitmap_image.h"
#include "tools/check_files.h"
#include "tools/file_bytes.h"
#include "tools/generate_files.h"
#include "tools/ppm.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage()
{
    std::fputs(
        "usage: dot3bump-assets generate DIR\n"
        "       dot3bump-assets check FILE...\n"
        "       dot3bump-assets decode IN.bmp OUT.ppm\n",
        stderr);
    return kUsage;
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

int Decode(const char* input, const char* output)
{
    char message[kImageMessageSize];
    RgbImage* image = ReadBitmapImage(input, message);
    if (!image) {
        const size_t length = std::strlen(message);
        std::fprintf(stderr, "%s%s", message, length && message[length - 1] == '\n' ? "" : "\n");
        return kFailed;
    }
    const bool written = WriteFileBytes(output, EncodePpm(*image));
    std::free(image->pixels);
    delete image;
    if (!written) {
        std::fprintf(stderr, "%s: cannot be written\n", output);
        return kFailed;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc == 3) return Generate(argv[2]);
    if (command == "check" && argc >= 3) return Check(argc - 2, argv + 2);
    if (command == "decode" && argc == 4) return Decode(argv[2], argv[3]);
    return Usage();
}
