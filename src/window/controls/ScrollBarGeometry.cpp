#include "window/controls/ScrollBarGeometry.h"

#include <algorithm>
#include <cmath>

namespace Control {

namespace {

// How far the thumb reaches past its share at each end.
constexpr float kThumbOverhang = 3.0f;

}  // namespace

int roundHalfAway(float value) { return static_cast<int>(std::lround(value)); }

void ScrollBarGeometry::layoutTrack(int length, int thickness) {
    arrowSize = length / 2 < 3 ? 0 : std::min(thickness, length / 2 - 3);
    trackLength = std::max(length - 2 * arrowSize, 0);
    placeThumb();
}

void ScrollBarGeometry::setViewRange(int start, int end) {
    viewStart = start > maximum ? maximum : std::max(start, minimum);
    viewEnd = std::clamp(end, viewStart, std::max(viewStart, maximum));
    // Range and view count inclusively; computed wide so no range overflows.
    const double count = static_cast<double>(maximum) - minimum + 1;
    thumbStart = static_cast<float>((static_cast<double>(viewStart) - minimum) / count);
    thumbEnd = static_cast<float>((static_cast<double>(viewEnd) - minimum + 1) / count);
    placeThumb();
}

void ScrollBarGeometry::placeThumb() {
    thumbFrom = static_cast<float>(trackLength) * thumbStart - kThumbOverhang;
    thumbTo = static_cast<float>(trackLength) * thumbEnd + kThumbOverhang;
}

int ScrollBarGeometry::clampPosition(int position) const {
    const int limit = maximum - (viewEnd - viewStart);
    return position > limit ? limit : std::max(position, minimum);
}

bool ScrollBarGeometry::ratioPosition(float fraction, int& start) const {
    const int length = viewEnd - viewStart;
    const int range = maximum - minimum;
    if (range <= length) return false;
    const double centred = (static_cast<double>(range) + 1) * fraction - 0.5 * length;
    start = minimum + static_cast<int>(std::lround(centred));
    start = std::max(std::min(start, maximum - length), minimum);
    return true;
}

int ScrollBarGeometry::pagePosition(int t) const {
    if (static_cast<float>(t) < (thumbFrom + thumbTo) / 2) return 2 * viewStart - viewEnd;
    return viewEnd;
}

int ScrollBarGeometry::dragPosition(int delta, int dragStart) const {
    if (trackLength <= 0) return dragStart;
    const float moved = static_cast<float>(maximum - minimum) * static_cast<float>(delta) /
                        static_cast<float>(trackLength);
    return static_cast<int>(moved) + dragStart;
}

}  // namespace Control
