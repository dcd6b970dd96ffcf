#include "panels/preview/LevelMeterValues.h"

#include "media/audio/AudioBuffer.h"

#include <algorithm>
#include <cmath>

namespace Component {

void setChannelLevel(ChannelLevel& out, float peak, float rms) {
    out.falling = out.held = Render::LevelMeter::toDecibels(peak);
    out.rms = out.unused = Render::LevelMeter::toDecibels(rms);
}

void resetLevels(LevelMeterValues& values) {
    for (ChannelLevel* channel : {&values.left, &values.right})
        channel->falling = channel->rms = channel->held = channel->unused = Render::LevelMeter::Silence;
}

void measureBlockLevels(const Media::AudioBuffer& block, LevelMeterValues& out) {
    double peak[2] = {0, 0};
    double rms[2] = {0, 0};
    if (block.channels > 0) {
        for (int c = 0; c < 2; ++c)
            Render::LevelMeter::measurePlane(block.getChannel(std::min(c, block.channels - 1)), block.samples,
                                             peak[c], rms[c]);
    }
    setChannelLevel(out.left, static_cast<float>(peak[0]), static_cast<float>(rms[0]));
    setChannelLevel(out.right, static_cast<float>(peak[1]), static_cast<float>(rms[1]));
}

int levelPixels(float decibels, int height) {
    const float fraction = std::clamp((decibels + 60.0f) / 60.0f, 0.0f, 1.0f);
    return static_cast<int>(std::lround(static_cast<float>(height) * fraction));
}

}  // namespace Component
