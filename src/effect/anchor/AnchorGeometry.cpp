#include "effect/anchor/AnchorGeometry.h"

#include <algorithm>
#include <cmath>

namespace Anchor {

Float4 unprojectScreenDelta(const AnchorEvent& event, const Float4& p, const Media::Matrix4& m, float dx,
                            float dy) {
    Float4 clip = transform(p, m);
    const float w = std::max(std::fabs(clip.w), 1.0f);
    AnchorControlData::Rect picture;
    if (event.control) picture = event.control->pictureRect;
    const float width = std::max(1.0f, picture.right - picture.left);
    const float height = std::max(1.0f, picture.bottom - picture.top);
    // Screen y grows downwards, normalised y upwards.
    clip.x += 2.0f * dx * w / width;
    clip.y -= 2.0f * dy * w / height;
    return transformByInverse(clip, m);
}

}  // namespace Anchor
