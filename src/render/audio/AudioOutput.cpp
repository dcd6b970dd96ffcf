#include "render/audio/AudioOutput.h"

#include "media/audio/AudioBuffer.h"
#include "render/audio/AudioObjectContext.h"

namespace Effect {

AudioOutput::AudioOutput() : EffectBase(Name, EffectKind::Output, MediaKind::Audio, MediaKind::Audio, L"") {}

void applyOutputVolume(Render::AudioObjectContext& context, const EffectItemNumber& volume) {
    const float v = static_cast<float>(volume.getValue(context) * 0.01);
    context.leftGain *= v;
    context.rightGain *= v;
}

void AudioOutput::outputAudio(Render::AudioObjectContext& context, Media::AudioBuffer& target,
                              std::unique_ptr<Media::AudioBuffer>& audio) {
    applyOutputVolume(context, volume);
    const double p = pan.getValue(context) * 0.01;
    if (p > 0) context.leftGain *= static_cast<float>(1.0 - p);
    if (p < 0) context.rightGain *= static_cast<float>(1.0 + p);
    if (audio) mixAudio(context, target, *audio);
}

}  // namespace Effect
