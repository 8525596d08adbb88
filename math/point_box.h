// The axis-aligned box around a model's points, as `check` reports it and `import` fits it.
#pragma once

class PointBox {
public:
    // The box of the one point (x, y, z) at `first`; Add grows it.
    explicit PointBox(const float* first);
    void Add(const float* point);

    // In double: the side and centre of finite float coordinates never overflow there.
    double Side(int axis) const;
    double Centre(int axis) const;
    double LargestSide() const;

private:
    float low_[3];
    float high_[3];
};
