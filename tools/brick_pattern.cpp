#include "tools/brick_pattern.h"

#include <algorithm>
#include <cmath>

namespace {

// Four bricks per row and eight courses: on a cube face of 20 model units a brick is 5 by 2.5.
constexpr double kBrickLength = 64.0;
constexpr double kCourseHeight = 32.0;
constexpr double kJointHalfWidth = 2.0;

struct BrickPoint {
    int course;
    int brick;            // index along the course
    double edgeDistance;  // from the nearest joint's centre line
};

double Wrap(double value, double period)
{
    const double wrapped = std::fmod(value, period);
    return wrapped < 0 ? wrapped + period : wrapped;
}

BrickPoint Locate(double x, double y)
{
    x = Wrap(x, kTextureSize);
    y = Wrap(y, kTextureSize);
    BrickPoint point;
    point.course = int(y / kCourseHeight);
    // Running bond: every other course is shifted by half a brick.
    const double shifted = Wrap(x + (point.course % 2 ? kBrickLength / 2 : 0.0), kTextureSize);
    point.brick = int(shifted / kBrickLength);
    const double along = shifted - point.brick * kBrickLength;
    const double across = y - point.course * kCourseHeight;
    point.edgeDistance = std::min({along, kBrickLength - along, across, kCourseHeight - across});
    return point;
}

// A small integer hash, so that the grain is the same on every compiler and platform.
uint32_t Hash(uint32_t a, uint32_t b)
{
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

uint8_t Channel(int value) { return uint8_t(std::clamp(value, 0, 255)); }

}  // namespace

double BrickHeight(double x, double y)
{
    const double inside = Locate(x, y).edgeDistance - kJointHalfWidth;
    return std::clamp(inside / kBevelWidth, 0.0, 1.0);
}

Rgb8 BrickColor(int x, int y)
{
    const BrickPoint point = Locate(x + 0.5, y + 0.5);
    const int grain = int(Hash(uint32_t(x), uint32_t(y)) % 17) - 8;
    if (point.edgeDistance <= kJointHalfWidth)
        return {Channel(212 + grain), Channel(204 + grain), Channel(186 + grain)};
    const int shade = int(Hash(uint32_t(point.course), uint32_t(point.brick) + 1000) % 41) - 20;
    return {Channel(168 + shade + grain), Channel(52 + shade / 3 + grain / 2),
            Channel(38 + shade / 4 + grain / 2)};
}
