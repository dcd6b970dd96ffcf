#pragma once
// The arithmetic of dragging the camera on the preview: the orbit of the
// eye about the target (pitch from the +y axis, yaw about it, distance),
// the free view's minimum distance, and which value indexes a drag may
// edit.
#include "media/gpu/VertexListMath.h"

#include <vector>

namespace Effect {

class EffectItemNumberGroup;

struct CameraOrbit {
    float pitch = 0.0f;     // radians from +y
    float yaw = 0.0f;       // radians about y, 0 along +z
    float distance = 0.0f;  // eye to target
};

// The orbit that puts the eye where it is around the target.
CameraOrbit orbitOf(Media::Float3 eye, Media::Float3 target);
// The eye the orbit puts around the target.
Media::Float3 orbitEye(const CameraOrbit& orbit, Media::Float3 target);
// One drag step of dx, dy preview pixels: yaw and pitch turn by 2π/2000
// per pixel, the pitch kept between 0.001 and 3.1405928; with `dolly`
// only the distance changes, by 8 per pixel of dy, to no less than 4.
CameraOrbit dragOrbit(CameraOrbit orbit, int dx, int dy, bool dolly);
// The free view's target: at least 256 from the eye, along the way it
// lies (a target on the eye is moved 1 along z first).
Media::Float3 freeViewTarget(Media::Float3 eye, Media::Float3 target);
// Whether a drag may edit the values the index addresses: every value
// (100000000) only while each member of the groups holds one value; a
// mid-point boundary only while each group's members hold at most one
// value or one per boundary (midPoints + 2).
bool cameraDragAllowed(int index, int midPoints, const std::vector<const EffectItemNumberGroup*>& groups);

}  // namespace Effect
