/* For the libraries preloaded into the program (LD_PRELOAD) that stand in for some of its calls:
 * the benchmark's start-up probe, the sanitizer build's start-up exemptions and the test library
 * of older drivers' capability sets. NEXT(name), in a function that stands in for `name`,
 * declares next_name: the same function of the library loaded after this one, found on the first
 * call. One that is missing ends the process, naming it. Needs _GNU_SOURCE, defined before the
 * first include, and a prototype of `name`. */
#pragma once

#include <dlfcn.h>
#include <stdio.h>
#include <unistd.h>

static inline void* NextFunction(const char* name)
{
    void* function = dlsym(RTLD_NEXT, name);
    if (!function) {
        fprintf(stderr, "preloaded library: no %s to pass the call on to\n", name);
        _exit(96);
    }
    return function;
}

#define NEXT(name)                        \
    static __typeof__(&name) next_##name; \
    if (!next_##name) next_##name = (__typeof__(&name))NextFunction(#name)
