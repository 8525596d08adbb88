// The gate in front of lib3ds 1.3: a walk over a 3DS file's chunk tree that refuses what the
// library would read out of bounds, loop on, recurse on without end, or fail on.
//
// lib3ds checks almost nothing (its asserts are compiled out) and leaks state on every failed
// read, so a file must be known good before the library sees it. The walk descends into exactly
// the containers lib3ds descends into and reads every field lib3ds reads; chunks the library
// skips are only measured. Where the check is stricter than lib3ds it errs on the side of
// refusing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A chunk the check walked: its id, where its header begins, where it ends, and where its parent
// (the file, for the first chunk) ends.
struct ModelChunk {
    uint16_t id = 0;
    size_t begin = 0;
    size_t end = 0;
    size_t parentEnd = 0;
};

// True when lib3ds_file_read can read the `size` bytes at `data` without fault. Otherwise false,
// and *error (when not null) says what is wrong, naming the chunk id and its file offset. The
// chunks walked, parents before their children, go to `walked` when it is not null: the tree as
// lib3ds reads it, for the tests that damage a file chunk by chunk.
bool CheckModelFile(const uint8_t* data, size_t size, std::string* error,
                    std::vector<ModelChunk>* walked = nullptr);
