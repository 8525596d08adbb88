// dot3bump-generate DIR: what `dot3bump-assets generate DIR` does, for the build machine of a
// cross build.
#include "tools/generate_files.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: dot3bump-generate DIR\n", stderr);
        return 2;
    }
    std::string error;
    if (!WriteDataFiles(argv[1], &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
