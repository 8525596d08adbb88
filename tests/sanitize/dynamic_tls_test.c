/* NOTE: up to GCC 13 and LLVM 16, the sanitizers' __tls_get_addr interceptor takes a dynamic TLS
 * block that starts 16 bytes into a page for one with the header glibc 2.19 to 2.24 put in front,
 * and reads a start and a length from the 16 bytes before it: here the allocator's chunk header.
 * LeakSanitizer then scans that made-up range at exit, and its tracer dies ("Tracer caught signal
 * 11"). Where a driver's block lands is chance: the GL tests met it whenever a display was named,
 * which shifts a few allocations. The sanitizer build's tests run with intercept_tls_get_addr=0
 * (CMakePresets.json); the block, an ordinary heap chunk, stays reachable through the thread's
 * vector of TLS blocks, so nothing it points to is taken for a leak.
 * This puts a library's block exactly there and ends: it fails while the interceptor is on.
 * Usage: dynamic_tls_test LIBRARY (tests/sanitize/dynamic_tls_block.c) */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

enum { kPage = 4096, kOldHeaderSize = 16, kMaxAllocations = 100000 };

/* Kept where LeakSanitizer sees them, so that they are no leak. */
static void* kept[kMaxAllocations];

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    void* library = dlopen(argv[1], RTLD_NOW);
    if (!library) {
        fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    char* (*block)(void) = (char* (*)(void))dlsym(library, "DynamicTlsBlock");
    if (!block) return 1;

    /* Chunks of the block's size class come one after the other: take them until the next one
     * starts where the interceptor misreads it, and let the block have that one. */
    int count = 0;
    kept[count++] = malloc(sizeof(char[24]));
    kept[count++] = malloc(sizeof(char[24]));
    const uintptr_t step = (uintptr_t)kept[1] - (uintptr_t)kept[0];
    while (((uintptr_t)kept[count - 1] + step) % kPage != kOldHeaderSize) {
        if (count == kMaxAllocations) return 1;
        kept[count++] = malloc(sizeof(char[24]));
    }
    const uintptr_t offset = (uintptr_t)block() % kPage;
    if (offset != kOldHeaderSize) {
        fprintf(stderr,
                "the TLS block landed %lu bytes into its page, not %d: this allocator no "
                "longer fits the test\n",
                (unsigned long)offset, kOldHeaderSize);
        return 1;
    }
    printf("a dynamic TLS block %d bytes into its page, after %d allocations\n", kOldHeaderSize,
           count);
    return 0;
}
