#include "window/controls/ZoomGaugeSegments.h"

#include <algorithm>

namespace Control {

void ZoomGaugeSegments::layout(int gaugeWidth, int levels) {
    count = std::max(levels - 1, 1);
    width = gaugeWidth / count;
    if (width < 2) width = 1;
    left = (gaugeWidth - count * width) / 2;
}

int ZoomGaugeSegments::levelAt(int x) const { return std::clamp((x - left) / width + 1, 0, count); }

}  // namespace Control
