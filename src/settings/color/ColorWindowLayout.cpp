#include "settings/color/ColorWindowLayout.h"

#include <algorithm>

namespace Component {

ColorWindowLayout ColorWindowLayout::compute(int width, int height, int top, int margin, int rowHeight,
                                             int neededWidth) {
    const int m = margin, f = 3 * (rowHeight + 2) + 2;
    const int y0 = top + m;
    ColorWindowLayout l{};
    l.swatch = {m, y0, f, f};
    const int c = std::max((width - 3 * m - f) / 2, 1);
    l.hsvShown = c >= neededWidth;
    if (l.hsvShown) {
        l.rgb = {m + f, y0, c, f};
        l.hsv = {-(c + m), y0, c, f};
    } else {
        // Too narrow for two columns: RGB stretches to the right edge and
        // HSV shrinks to nothing at the bottom-right corner.
        l.rgb = {m + f, y0, -m, f};
        l.hsv = {-1, -1, -1, -1};
    }
    const int y = y0 + f + m + m / 2;
    const int a = std::max(std::min(height - m / 2 - y, (width - 2 * m) / 2), 1);
    l.wheel = {m / 2, y, a, a};
    l.palette = {m / 2 + m + a, y, a, a};
    return l;
}

}  // namespace Component
