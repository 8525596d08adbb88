#include "math/point_box.h"

#include <algorithm>

PointBox::PointBox(const float* first)
{
    std::copy(first, first + 3, low_);
    std::copy(first, first + 3, high_);
}

void PointBox::Add(const float* point)
{
    for (int axis = 0; axis < 3; ++axis) {
        low_[axis] = std::min(low_[axis], point[axis]);
        high_[axis] = std::max(high_[axis], point[axis]);
    }
}

double PointBox::Side(int axis) const { return double(high_[axis]) - low_[axis]; }

double PointBox::Centre(int axis) const { return (double(low_[axis]) + high_[axis]) / 2; }

double PointBox::LargestSide() const { return std::max({Side(0), Side(1), Side(2)}); }
