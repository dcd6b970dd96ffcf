#include "render/output/OutputEffects.h"

#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/EffectService.h"
#include "render/output/MovieOutput.h"
#include "render/output/ParticleOutput.h"
#include "render/output/SimpleOutput.h"
#include "render/output/TempDraw.h"
#include "render/output/VideoOutput.h"

namespace Render {

void installOutputEffects() {
    Effect::installBuiltinEffect(11, &Effect::registerBuiltinEffect<Effect::VideoOutput>);
    Effect::installBuiltinEffect(13, &Effect::registerBuiltinEffect<Effect::MovieOutput>);
    Effect::installBuiltinEffect(14, &Effect::registerBuiltinEffect<Effect::SimpleOutput>);
    Effect::installBuiltinEffect(15, &Effect::registerBuiltinEffect<Effect::ParticleOutput>);
    Effect::installBuiltinEffect(60, &Effect::registerBuiltinEffect<Effect::TempDraw>);
}

}  // namespace Render
