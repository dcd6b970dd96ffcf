#pragma once
// The blur of ぼかし worked on the CPU: boxes along one axis at a time, the
// output growing, keeping its size or repeating the edge by mode.
#include "effects/EffectsTestSupport.h"

#include <algorithm>

namespace EffectsTest {

// A box of radius r along one axis into a (width, height) picture: growing
// passes read source positions p - 2r .. p, the others p - r .. p + r;
// clamping passes repeat the edge pixel instead of reading transparency.
inline Picture boxPass(const Picture& source, int mode, bool vertical, int width, int height, int r) {
    if (r == 0) return source;
    Picture out(width, height);
    const int size = vertical ? height : width;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgba sum{0, 0, 0, 0};
            for (int k = -r; k <= r; ++k) {
                int q = (vertical ? y : x) + k - (mode == 0 ? r : 0);
                if (mode == 2) q = std::clamp(q, 0, size - 1);
                const Rgba s = vertical ? source.load(x, q) : source.load(q, y);
                for (int c = 0; c < 4; ++c) sum[c] += s[c];
            }
            for (int c = 0; c < 4; ++c) out.at(x, y)[c] = sum[c] / static_cast<float>(2 * r + 1);
        }
    return out;
}

// Two boxes per axis, the larger half first: vertical, horizontal,
// vertical, horizontal.
inline Picture boxBlur(const Picture& source, int vertical, int horizontal, int mode) {
    const int v[2] = {vertical - vertical / 2, vertical / 2};
    const int h[2] = {horizontal - horizontal / 2, horizontal / 2};
    Picture picture = source;
    int width = source.width, height = source.height;
    for (int i = 0; i < 2; ++i) {
        if (mode == 0) height += 2 * v[i];
        picture = boxPass(picture, mode, true, width, height, v[i]);
        if (mode == 0) width += 2 * h[i];
        picture = boxPass(picture, mode, false, width, height, h[i]);
    }
    return picture;
}

}  // namespace EffectsTest
