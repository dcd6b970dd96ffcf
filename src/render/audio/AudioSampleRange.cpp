#include "render/audio/AudioSampleRange.h"

#include <cmath>

namespace Render {

std::int64_t sampleOfFrame(int sampleRate, std::int64_t frame, int videoRate, int videoScale) {
    if (videoRate == 0) return 0;
    const double samples = static_cast<double>(sampleRate) * static_cast<double>(frame) *
                           static_cast<double>(videoScale) / static_cast<double>(videoRate);
    return static_cast<std::int64_t>(std::round(samples));  // halves away from zero
}

AudioSampleRange frameSampleRange(int sampleRate, int videoRate, int videoScale, int frame, int startFrame) {
    AudioSampleRange range;
    range.rate = sampleRate;
    range.position = sampleOfFrame(sampleRate, frame, videoRate, videoScale);
    range.count = static_cast<std::int32_t>(sampleOfFrame(sampleRate, std::int64_t{frame} + 1, videoRate, videoScale) -
                                            range.position);
    range.offset = range.position - sampleOfFrame(sampleRate, startFrame, videoRate, videoScale);
    return range;
}

}  // namespace Render
