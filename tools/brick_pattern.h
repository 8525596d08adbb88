// The brick wall that both bitmaps show: red bricks in running bond, pale mortar joints. The
// colour texture paints it and the normal map is derived from its height field, so every groove
// in the lighting lines up with a joint in the colours.
//
// Coordinates are in texels of a kTextureSize-square bitmap, x to the right and y upward (row 0
// is the bottom row, which is texture coordinate v = 0); the pattern repeats with that period.
#pragma once

#include <cstdint>

constexpr int kTextureSize = 256;
constexpr double kBevelWidth = 4.0;  // texels from a brick's edge to its flat face

struct Rgb8 {
    uint8_t r, g, b;
};

// Height at a point: 0 in the mortar, rising linearly across the bevel at each brick's edge to
// 1 on its face.
double BrickHeight(double x, double y);

// The colour of the texel whose lower-left corner is (x, y): a per-brick shade of red on the
// brick, pale grey-beige in the mortar, with a little grain in both.
Rgb8 BrickColor(int x, int y);
