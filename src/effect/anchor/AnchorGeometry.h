#pragma once
// Turning a pointer offset on the preview back into an effect's space.
#include "effect/anchor/AnchorEvent.h"

namespace Anchor {

// The position under the pointer moved by (dx, dy) control pixels from
// where p is seen through m, on the event's picture rectangle. The clip w
// counts as at least 1 and the picture as at least one pixel each way; m
// must be invertible.
Float4 unprojectScreenDelta(const AnchorEvent& event, const Float4& p, const Media::Matrix4& m, float dx,
                            float dy);

}  // namespace Anchor
