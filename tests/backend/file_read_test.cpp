// The sdl backend's file mapping on a file that another process shortens while it is read: the
// reader gets the bytes the file still had, never a SIGBUS from a page cut off the file.
#include "platform/platform.h"
#include "tools/next_function.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// While set, the file of this path is cut to this many bytes right after the next fstat: the
// moment between reading a file's size and reading its bytes.
std::string shortenPath;
off_t shortenTo = 0;

}  // namespace

// NOTE: the executable's own fstat comes before the C library's for every caller in the process,
// the backend included; all but the one armed call pass straight through.
extern "C" int fstat(int descriptor, struct stat* status) noexcept
{
    NEXT(fstat);
    const int result = next_fstat(descriptor, status);
    if (result == 0 && !shortenPath.empty()) {
        if (truncate(shortenPath.c_str(), shortenTo) != 0) std::perror("truncate");
        shortenPath.clear();
    }
    return result;
}

TEST(FileReadTest, AFileShortenedWhileItIsReadGivesTheBytesItStillHad)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("dot3bump-shortened-" + std::to_string(getpid()) + ".3ds");
    std::vector<uint8_t> bytes(3 * 65536);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));

    shortenPath = path.string();
    shortenTo = 100;
    MappedFile file;
    const MapFileResult result = PlatformMapFile(path.c_str(), &file);
    EXPECT_TRUE(shortenPath.empty()) << "the file was never asked for its size";
    ASSERT_EQ(result, MapFileResult::Mapped);
    ASSERT_EQ(file.size, 100u) << "Expected the 100 bytes left of 196608";
    EXPECT_EQ(std::memcmp(file.data, bytes.data(), 100), 0);
    PlatformUnmapFile(&file);
    std::filesystem::remove(path);
}
