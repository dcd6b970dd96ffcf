#pragma once
// The group audio control's record as the mixer and the audio walk name it.
#include "effect/base/ControlState.h"

namespace Render {

using GroupAudioGains = Effect::GroupAudioControlState;

}  // namespace Render
