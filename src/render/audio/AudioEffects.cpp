#include "render/audio/AudioEffects.h"

#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/EffectService.h"
#include "render/audio/AudioOutput.h"

namespace Render {

void installAudioEffects() {
    Effect::installBuiltinEffect(12, &Effect::registerBuiltinEffect<Effect::AudioOutput>);
}

}  // namespace Render
