#include "render/audio/OutputAudioEffect.h"

#include "media/audio/AudioBuffer.h"
#include "render/audio/AudioObjectContext.h"
#include "render/audio/GroupAudioGains.h"

#include <algorithm>
#include <cmath>

namespace Effect {

void OutputAudioEffect::mixPlane(float* target, const float* source, float gain, std::uint32_t n) {
    // Whole groups of 8 first, then the rest one by one: nothing at n or
    // above is read or written, whatever the source's padding holds.
    const std::uint32_t whole = n & ~7u;
    for (std::uint32_t i = 0; i < whole; i += 8)
        for (std::uint32_t k = 0; k < 8; ++k) target[i + k] = std::fma(gain, source[i + k], target[i + k]);
    for (std::uint32_t i = whole; i < n; ++i) target[i] = std::fma(gain, source[i], target[i]);
}

void OutputAudioEffect::mixAudio(const Render::AudioObjectContext& context, Media::AudioBuffer& target,
                                 const Media::AudioBuffer& source) {
    float left = context.leftGain;
    float right = context.rightGain;
    if (const Render::GroupAudioGains* group = context.getGroupAudioGains()) {
        left *= group->leftGain;
        right *= group->rightGain;
    }
    const std::uint32_t n = std::min(target.samples, source.samples);
    if (n == 0 || target.channels <= 0 || source.channels <= 0) return;
    mixPlane(target.getChannel(0), source.getChannel(0), left, n);
    // A mono source's one plane feeds the right side too; a mono target's
    // one plane receives both sides.
    mixPlane(target.getChannel(1), source.getChannel(1), right, n);
}

}  // namespace Effect
