// Which way a needle's bitmap points, as the artwork draws it and the host turns it: from its
// pivot towards the farthest of its edges, preferring right, then up, then down, then left.
// The answer is the bitmap's own direction in radians, clockwise from straight up.
#pragma once

#include <algorithm>
#include <numbers>

namespace tj20::host {

inline double needleBitmapAngle(int width, int height, int pivotX, int pivotY) {
    const int right = width - pivotX, up = pivotY, down = height - pivotY, left = pivotX;
    if (right >= std::max({up, down, left})) return std::numbers::pi / 2;
    if (up >= std::max(down, left)) return 0;
    return down >= left ? std::numbers::pi : -std::numbers::pi / 2;
}

}  // namespace tj20::host
