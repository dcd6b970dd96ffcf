#pragma once
// The playback level meter: every audio block the player receives is
// measured into one record of a falling peak level, a short-term RMS level
// and a held peak for the left and the right channel, in dB from -60
// (silence, also the value at rest) to 60. The preview takes the records in
// step with the presented frames.
//
// Measurement runs on the audio render thread, reset, clear and the
// preview's reads on the user-interface thread; all take the meter's mutex.
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace Media {
class AudioBuffer;
}

namespace Render {

struct LevelChannelRecord {
    float falling = -60.0f;
    float rms = -60.0f;
    float held = -60.0f;
    float unused = -60.0f;
};

struct LevelRecord {
    std::int32_t frame = 0;
    LevelChannelRecord left;
    LevelChannelRecord right;
};
static_assert(sizeof(LevelRecord) == 36);

class LevelMeter {
public:
    static constexpr float Silence = -60.0f;
    static constexpr float Loudest = 60.0f;

    // For playback at rate / scale frames a second: peaks at rest, a hold
    // of three seconds, a fall of 60 dB a second and an RMS window of 0.4 s.
    void reset(int rate, int scale);
    // Peaks at rest and the queue emptied; windows and hold length stay.
    void clear();
    // Does nothing while disabled ("VisibleLevelMeter" 0).
    void measure(int frame, const Media::AudioBuffer& block);
    void setEnabled(bool enabled);

    // The records measured so far, oldest first; the queue keeps them.
    std::deque<LevelRecord> records() const;
    // Removes and returns the records up to and including the frame.
    std::vector<LevelRecord> takeUpTo(int frame);

    // dB of a linear amplitude, clamped; -60 for 0 or less.
    static float toDecibels(double amplitude);
    // Peak (largest magnitude) and RMS of one plane, non-finite samples
    // counting as silence.
    static void measurePlane(const float* samples, std::uint32_t count, double& peak, double& rms);

private:
    struct Channel {
        float held = Silence;
        float falling = Silence;
        float fallPerFrame = 0.0f;
        int heldFrame = 0;
        int holdLength = 1;
        int writeIndex = 0;
        std::vector<float> window = std::vector<float>(1, 0.0f);
    };
    static float pushRms(Channel& channel, double rms);
    static LevelChannelRecord update(Channel& channel, int frame, double peak, double rms);

    mutable std::mutex mutex_;
    Channel channels_[2];
    std::deque<LevelRecord> queue_;
    bool enabled_ = true;
};

}  // namespace Render
