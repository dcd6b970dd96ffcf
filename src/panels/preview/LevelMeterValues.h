#pragma once
// One audio level record as the level meter draws it: a frame and, for the
// left and the right channel, the peak (the bar), the RMS level, the held
// peak and a spare value, each in dB from -60 to 60. The player's playback
// records have the same form.
#include "render/player/LevelMeter.h"

#include <cstdint>

namespace Media {
class AudioBuffer;
}

namespace Component {

using ChannelLevel = Render::LevelChannelRecord;
using LevelMeterValues = Render::LevelRecord;

// Peak and held peak from peak, RMS and spare from rms (linear amplitudes).
void setChannelLevel(ChannelLevel& out, float peak, float rms);
// Every level of the record at -60; the frame stays.
void resetLevels(LevelMeterValues& values);
// The levels of one rendered block (planar float): the first channel on
// the left, the second (or the first again) on the right. The frame stays.
void measureBlockLevels(const Media::AudioBuffer& block, LevelMeterValues& out);

// Pixels above the meter's bottom for a level, on a meter height pixels
// high: -60 dB or less at 0, 0 dB or more at the top.
int levelPixels(float decibels, int height);

}  // namespace Component
