#include "effect/base/ControlState.h"

#include "effect/base/EffectBase.h"

namespace Effect {

bool governsLayerRange(const EffectBase& effect) {
    return dynamic_cast<const GroupControlState*>(&effect) || dynamic_cast<const CameraControlState*>(&effect) ||
           dynamic_cast<const GroupAudioControlState*>(&effect) || dynamic_cast<const TimeControlState*>(&effect);
}

}  // namespace Effect
