#include "effects/audio/AudioVolume.h"

#include "effects/audio/AudioCategory.h"
#include "media/audio/AudioBuffer.h"
#include "render/audio/AudioObjectContext.h"

namespace Effect {

AudioVolume::AudioVolume()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Audio, MediaKind::Audio, audioCategory),
      volume(items, L"音量", 100, 0, 1000, 0.01),
      pan(items, L"左右", 0, -100, 100, 0.01) {}

void AudioVolume::filterAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context,
                              std::unique_ptr<Media::AudioBuffer> input) {
    const float v = static_cast<float>(volume.getValue(context) / 100.0);
    context.leftGain *= v;
    context.rightGain *= v;
    // Panning only ever lowers the far side.
    const float p = static_cast<float>(pan.getValue(context) / 100.0);
    if (p > 0.0f) {
        context.leftGain *= 1.0f - p;
    } else if (p < 0.0f) {
        context.rightGain *= 1.0f + p;
    }
    result = std::move(input);
}

}  // namespace Effect
