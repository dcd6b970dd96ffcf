#pragma once
// What a group control and a camera control leave for the objects they
// govern. The control effects compute these in their control task on the
// per-object render thread; the transforms and the walk's depth sort read
// them afterwards (the walk waits for the per-object thread first). The
// walk writes the group's enclosing layer before the group's task is posted.
//
// Control effects derive from these records, so code below the effects
// finds them with a dynamic_cast of the control object's first effect.
#include "media/gpu/VertexListMath.h"

namespace Effect {

struct GroupControlState {
    virtual ~GroupControlState() = default;

    // Layer of the group control that encloses this one, -1 when none.
    int parentLayer = -1;
    // The group's own transform, and the view its governed objects see.
    Media::Matrix4 worldMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Media::Matrix4 viewMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    // Set while the group renders when drags of its objects may snap to
    // other objects.
    bool snapAllowed = false;
};

struct CameraControlState {
    virtual ~CameraControlState() = default;

    Media::Matrix4 viewProjectionMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Media::Float3 target{0.0f, 0.0f, 0.0f};
    Media::Float3 direction{0.0f, 0.0f, 1.0f};
};

}  // namespace Effect
