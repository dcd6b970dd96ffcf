#include "effects/audio/AudioFadeFilter.h"

#include "edit/model/Scene.h"
#include "effects/audio/AudioCategory.h"
#include "media/audio/AudioBuffer.h"
#include "render/audio/AudioObjectContext.h"

#include <algorithm>

namespace Effect {

namespace {

float clamp01(double value) {
    return static_cast<float>(std::clamp(value, 0.0, 1.0));
}

// Planes are padded to whole groups of eight samples, so the loop runs on
// whole groups.
void applyRamp(float* plane, std::uint32_t samples, float begin, float step) {
    const std::uint32_t padded = (samples + 7) & ~7u;
    for (std::uint32_t k = 0; k < padded; ++k) {
        plane[k] *= begin + static_cast<float>(k) * step;
    }
}

}  // namespace

AudioFadeFilter::AudioFadeFilter()
    : BuiltinClass(Name, EffectKind::Filter, MediaKind::Audio, MediaKind::Audio, audioCategory),
      fadeIn(items, L"イン", 0.5, 0, 10, 0.01),
      fadeOut(items, L"アウト", 0.5, 0, 10, 0.01) {}

AudioFadeFilter::Ramp AudioFadeFilter::rampAt(float fadeIn, float fadeOut, double seconds, double left,
                                              double frame) {
    Ramp ramp;
    if (fadeIn > 0.0f && seconds < fadeIn) {
        ramp.begin = clamp01(seconds / fadeIn);
        ramp.end = clamp01((seconds + frame) / fadeIn);
    }
    if (fadeOut > 0.0f && left < fadeOut) {
        ramp.begin = std::min(ramp.begin, clamp01(left / fadeOut));
        ramp.end = std::min(ramp.end, clamp01((left - frame) / fadeOut));
    }
    return ramp;
}

void AudioFadeFilter::filterAudio(std::unique_ptr<Media::AudioBuffer>& result, Render::AudioObjectContext& context,
                                  std::unique_ptr<Media::AudioBuffer> input) {
    result = std::move(input);
    if (!result || result->samples == 0 || !context.scene || context.scene->videoRate <= 0 ||
        context.scene->videoScale <= 0) {
        return;
    }
    const double fps = static_cast<double>(context.scene->videoRate) / context.scene->videoScale;
    const Effect::ObjectFrames& frames = context.getObjectFrames();
    const double seconds = (context.time - frames.start) / fps;
    const double left = (frames.end - frames.start) / fps - seconds;
    const float in = static_cast<float>(fadeIn.getValue(context));
    const float out = static_cast<float>(fadeOut.getValue(context));
    const Ramp ramp = rampAt(in, out, seconds, left, 1.0 / fps);
    if (ramp.begin == 1.0f && ramp.end == 1.0f) {
        return;
    }
    const float step = (ramp.end - ramp.begin) / static_cast<float>(result->samples);
    applyRamp(result->getChannel(0), result->samples, ramp.begin, step);
    // A one-channel block has a single plane standing for both sides.
    if (result->channels > 1) {
        applyRamp(result->getChannel(1), result->samples, ramp.begin, step);
    }
}

}  // namespace Effect
