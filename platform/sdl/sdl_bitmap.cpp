// The file "mapping" as a private copy read with POSIX read, and the DIB conversion by the
// project's own decoder.
#include "platform/dib/dib_convert.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The bytes of an open regular file into memory of their own. Read, not mapped: a page of a
// mapping that another process cuts off the file raises SIGBUS in whatever touches it, and the
// 3DS check, lib3ds and the bitmap decoder all read in place. A file shortened while it is read
// gives the bytes it still had.
MapFileResult ReadOpenFile(int descriptor, MappedFile* file)
{
    struct stat status;
    if (fstat(descriptor, &status) != 0) return MapFileResult::CannotOpen;
    if (!S_ISREG(status.st_mode)) return MapFileResult::NotRegularFile;
    if (status.st_size == 0) return MapFileResult::Empty;
    if (uint64_t(status.st_size) > SIZE_MAX) return MapFileResult::CannotOpen;
    const size_t wanted = size_t(status.st_size);
    auto* bytes = static_cast<uint8_t*>(std::malloc(wanted));
    if (!bytes) return MapFileResult::CannotOpen;
    size_t size = 0;
    while (size < wanted) {
        const ssize_t got = read(descriptor, bytes + size, wanted - size);
        if (got > 0) {
            size += size_t(got);
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            std::free(bytes);
            return MapFileResult::CannotOpen;
        }
    }
    if (size == 0) {
        std::free(bytes);
        return MapFileResult::Empty;
    }
    file->data = bytes;
    file->size = size;
    file->backend = nullptr;
    return MapFileResult::Mapped;
}

}  // namespace

MapFileResult PlatformMapFile(const char* fileName, MappedFile* file)
{
    // Only a regular file: a directory cannot be read, opening a FIFO for reading would wait for
    // a writer for ever, and opening some devices already acts on them. What was opened is asked
    // again, without having waited, in case another file was put in its place since.
    struct stat status;
    if (stat(fileName, &status) != 0) return MapFileResult::CannotOpen;
    if (!S_ISREG(status.st_mode)) return MapFileResult::NotRegularFile;
    const int descriptor = open(fileName, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) return MapFileResult::CannotOpen;
    const MapFileResult result = ReadOpenFile(descriptor, file);
    close(descriptor);
    return result;
}

void PlatformUnmapFile(MappedFile* file)
{
    std::free(const_cast<uint8_t*>(file->data));
    *file = MappedFile();
}

DibConversion PlatformConvertDibTo24(const uint8_t* sourceInfo, const uint8_t* bits,
                                     size_t bitsSize, uint8_t* target)
{
    return ConvertDibTo24Rows(sourceInfo, bits, bitsSize, target);
}
