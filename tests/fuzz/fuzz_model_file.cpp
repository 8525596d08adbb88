// libFuzzer entry for the checked 3DS load: the check, lib3ds reading from memory and the
// checks after it. A crash, hang or leak here means the check let through something lib3ds
// cannot read; every load that fails after the check passed leaks inside lib3ds.
#include "assets/model_file_load.h"

#include <lib3ds/file.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string error;
    Lib3dsFile* file = LoadModelFromMemory(data, size, "input", &error);
    if (file) {
        DescribeModelFile(file);
        lib3ds_file_free(file);
    } else if (error == "input: lib3ds could not read it although the check passed") {
        // Compared whole: other errors quote names from the file, which may hold any text.
        __builtin_trap();
    }
    return 0;
}
