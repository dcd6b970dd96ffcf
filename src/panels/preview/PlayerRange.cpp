#include "panels/preview/PlayerRange.h"

namespace Component {

FrameRange rangeWithStart(int c, FrameRange range, int last) {
    if (c < 0) return {c, -1};
    const int e = range.second;
    if (e >= 0 && e >= c) return {c, e};
    return last < c ? FrameRange{last, c} : FrameRange{c, last};
}

FrameRange rangeWithEnd(int c, FrameRange range) {
    if (c < 0) return {-1, c};
    const int s = range.first;
    if (s < 0 || c < s) return {0, c};
    return {s, c};
}

}  // namespace Component
