// The test that coordinates read from a file or a model are numbers arithmetic can use.
#pragma once

#include <cmath>
#include <cstddef>

// Whether none of the `count` values is infinite or NaN.
inline bool AllFinite(const float* values, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) return false;
    }
    return true;
}
