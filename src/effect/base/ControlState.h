#pragma once
// What the controls that govern the layers after them (group, camera, group
// audio and time controls) leave for the objects they govern. The control effects compute these in their control task on the
// per-object render thread; the transforms and the walk's depth sort read
// them afterwards (the walk waits for the per-object thread first). The
// walk writes the group's enclosing layer before the group's task is posted.
//
// Control effects derive from these records, so code below the effects
// finds them with a dynamic_cast of the control object's first effect.
#include "media/gpu/VertexListMath.h"

#include <array>

namespace Effect {

class EffectBase;

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
    // The point the preview's focus axes go through (x, y, z, 1), set by the
    // focused object's handles; w 0 when there is none.
    std::array<float, 4> focusMarker{};
};

// The layer of the group audio control enclosing this one (written by the
// audio walk, -1 for none) and its left and right gains, already multiplied
// by those of the enclosing one; the mixer and the walk read them.
struct GroupAudioControlState {
    virtual ~GroupAudioControlState() = default;

    int parentLayer = -1;
    float leftGain = 1.0f;
    float rightGain = 1.0f;
};

// The time control's mark: the walks render the layers it governs at the
// frame and time its preload slots set.
struct TimeControlState {
    virtual ~TimeControlState() = default;
};

// Whether the effect is one of the controls above. Recognised by class, so a
// script or plugin effect named like a control is never taken for one.
bool governsLayerRange(const EffectBase& effect);

}  // namespace Effect
