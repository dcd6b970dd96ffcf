#pragma once
// Where a video frame's sound lies: frame f of a scene owns the samples
// S(f) up to S(f + 1) - 1, S(f) = R x f x scale / rate rounded half away
// from zero, worked in double in exactly that order so every caller agrees
// on every boundary.
#include <cstdint>

namespace Render {

struct AudioSampleRange {
    std::int64_t offset = 0;    // the frame's first sample from the object's first
    std::int32_t rate = 0;      // samples per second of the scene
    std::int64_t position = 0;  // the frame's first sample in the scene
    std::int32_t count = 0;     // samples of the frame
};

std::int64_t sampleOfFrame(int sampleRate, std::int64_t frame, int videoRate, int videoScale);

// The range of a frame for an object starting at startFrame.
AudioSampleRange frameSampleRange(int sampleRate, int videoRate, int videoScale, int frame, int startFrame);

}  // namespace Render
