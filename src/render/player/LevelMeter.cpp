#include "render/player/LevelMeter.h"

#include "media/audio/AudioBuffer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Render {

namespace {

int nearest(double x) { return static_cast<int>(std::lround(x)); }

}  // namespace

float LevelMeter::toDecibels(double amplitude) {
    if (!(amplitude > 0.0)) return Silence;
    return static_cast<float>(std::clamp(20.0 * std::log10(amplitude), double{Silence}, double{Loudest}));
}

void LevelMeter::reset(int rate, int scale) {
    std::lock_guard lock(mutex_);
    const int fps = scale != 0 ? nearest(static_cast<double>(rate) / scale) : 0;
    for (Channel& c : channels_) {
        c.held = Silence;
        c.falling = Silence;
        c.heldFrame = 0;
        c.holdLength = scale != 0 ? std::max(nearest(rate * 3.0 / scale), 1) : 1;
        c.fallPerFrame = fps > 0 ? 60.0f / static_cast<float>(fps) : 60.0f;
        c.window.resize(static_cast<std::size_t>(scale != 0 ? std::max(nearest(rate * 0.4 / scale), 1) : 1), 0.0f);
        c.writeIndex = 0;
    }
}

void LevelMeter::clear() {
    std::lock_guard lock(mutex_);
    for (Channel& c : channels_) {
        c.held = Silence;
        c.falling = Silence;
        c.heldFrame = 0;
        c.writeIndex = 0;
    }
    queue_.clear();
}

void LevelMeter::setEnabled(bool enabled) {
    std::lock_guard lock(mutex_);
    enabled_ = enabled;
}

void LevelMeter::measurePlane(const float* samples, std::uint32_t count, double& peak, double& rms) {
    peak = 0.0;
    double sum = 0.0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const float s = samples[i];
        if (!std::isfinite(s)) continue;
        peak = std::max(peak, static_cast<double>(std::fabs(s)));
        sum += static_cast<double>(s) * s;
    }
    rms = sum > 0.0 ? std::sqrt(sum / std::max<std::uint32_t>(count, 1)) : 0.0;
}

float LevelMeter::pushRms(Channel& channel, double rms) {
    const int length = static_cast<int>(channel.window.size());
    channel.window[static_cast<std::size_t>(channel.writeIndex)] = static_cast<float>(rms * rms);
    channel.writeIndex = (channel.writeIndex + 1) % length;
    const double sum = std::accumulate(channel.window.begin(), channel.window.end(), 0.0);
    return sum > 0.0 ? toDecibels(std::sqrt(sum / length)) : Silence;
}

LevelChannelRecord LevelMeter::update(Channel& channel, int frame, double peak, double rms) {
    const float level = toDecibels(peak);
    channel.falling = std::max(level, channel.falling - channel.fallPerFrame);
    if (channel.heldFrame < frame - channel.holdLength || channel.falling > channel.held) {
        channel.held = channel.falling;
        channel.heldFrame = frame;
    }
    LevelChannelRecord record;
    record.falling = channel.falling;
    record.rms = pushRms(channel, rms);
    record.held = channel.held;
    return record;
}

void LevelMeter::measure(int frame, const Media::AudioBuffer& block) {
    {
        std::lock_guard lock(mutex_);
        if (!enabled_) return;
    }
    double peak[2] = {0.0, 0.0};
    double rms[2] = {0.0, 0.0};
    if (block.channels > 0)
        for (int c = 0; c < 2; ++c) measurePlane(block.getChannel(c), block.samples, peak[c], rms[c]);
    std::lock_guard lock(mutex_);
    LevelRecord record;
    record.frame = frame;
    record.left = update(channels_[0], frame, peak[0], rms[0]);
    record.right = update(channels_[1], frame, peak[1], rms[1]);
    queue_.push_back(record);
}

std::deque<LevelRecord> LevelMeter::records() const {
    std::lock_guard lock(mutex_);
    return queue_;
}

std::vector<LevelRecord> LevelMeter::takeUpTo(int frame) {
    std::lock_guard lock(mutex_);
    std::vector<LevelRecord> taken;
    while (!queue_.empty() && queue_.front().frame <= frame) {
        taken.push_back(queue_.front());
        queue_.pop_front();
    }
    return taken;
}

}  // namespace Render
