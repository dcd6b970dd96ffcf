#include "effects/audio/AudioMonoFilter.h"

#include "effects/audio/AudioCategory.h"
#include "media/audio/AudioBuffer.h"
#include "render/audio/AudioObjectContext.h"

#include <cmath>

namespace Effect {

AudioMonoFilter::AudioMonoFilter()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Audio, MediaKind::Audio, audioCategory),
      ratio(items, L"比率", 0, -100, 100, 0.01) {}

void AudioMonoFilter::filterAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context,
                                  std::unique_ptr<Media::AudioBuffer> input) {
    result = std::move(input);
    // A one-channel block is mono already; summing its plane with itself
    // would only double its level.
    if (!result || result->channels < 2 || result->samples == 0) {
        return;
    }
    const float k = static_cast<float>(ratio.getValue(context) / 100.0);
    const float leftWeight = k > 0.0f ? 1.0f - k : 1.0f;
    const float rightWeight = k < 0.0f ? 1.0f + k : 1.0f;
    float* left = result->getChannel(0);
    float* right = result->getChannel(1);
    const std::uint32_t padded = (result->samples + 7) & ~7u;
    for (std::uint32_t i = 0; i < padded; ++i) {
        const float m = std::fma(leftWeight, left[i], rightWeight * right[i]);
        left[i] = m;
        right[i] = m;
    }
}

}  // namespace Effect
