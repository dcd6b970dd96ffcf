#pragma once
// The range buttons of the player row: where the frame range goes when the
// cursor frame becomes its start or its end. (-1, -1) is no range.
#include <utility>

namespace Component {

using FrameRange = std::pair<int, int>;

// The cursor c as the start of the range (s, e) of a scene whose last
// frame is last: an end before the cursor becomes the last frame.
FrameRange rangeWithStart(int c, FrameRange range, int last);
// The cursor c as the end: a missing or later start becomes frame 0.
FrameRange rangeWithEnd(int c, FrameRange range);

}  // namespace Component
