// File mapping with POSIX mmap, and the DIB conversion by the project's own decoder.
#include "platform/dib/dib_convert.h"
#include "platform/platform.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

bool PlatformMapFile(const char* fileName, MappedFile* file)
{
    // Only a regular file: a directory cannot be mapped, and opening a FIFO for reading would
    // wait for a writer for ever. Not blocking on the open covers one put there since.
    struct stat status;
    if (stat(fileName, &status) != 0 || !S_ISREG(status.st_mode)) return false;
    const int descriptor = open(fileName, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return false;
    void* view = MAP_FAILED;
    // NOTE: mmap refuses a length of 0, so an empty file fails here as it does on Windows.
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        view = mmap(nullptr, size_t(status.st_size), PROT_READ, MAP_PRIVATE, descriptor, 0);
    close(descriptor);  // the mapping keeps the file open
    if (view == MAP_FAILED) return false;
    file->data = static_cast<const uint8_t*>(view);
    file->size = size_t(status.st_size);
    file->backend = nullptr;
    return true;
}

void PlatformUnmapFile(MappedFile* file)
{
    if (file->data) munmap(const_cast<uint8_t*>(file->data), file->size);
    *file = MappedFile();
}

DibConversion PlatformConvertDibTo24(const uint8_t* sourceInfo, const uint8_t* bits,
                                     size_t bitsSize, uint8_t* target)
{
    return ConvertDibTo24Rows(sourceInfo, bits, bitsSize, target);
}
