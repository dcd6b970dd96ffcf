#pragma once
// The colour window's current and previous colour with the hue, saturation
// and value the wheel shows. Black keeps the last hue and saturation and a
// grey keeps the last hue, so the wheel does not jump while dragging
// through them.
#include "core/text/ColorText.h"

namespace Component {

struct ColorState {
    float current[4] = {0, 0, 0, 1};
    float previous[4] = {0, 0, 0, 1};
    float hue = 0, saturation = 0, value = 0;

    // False (and nothing changes) when the bytes equal the current ones.
    bool setColor(float r, float g, float b, float a);
    // Hue, saturation and value are taken as given; the colour follows.
    void setHsv(float h, float s, float v);
    // Slider entries: H in degrees, S and V in percent, clamped.
    void setHueDegrees(double degrees);
    void setSaturationPercent(double percent);
    void setValuePercent(double percent);
    // R, G or B (0, 1, 2) as a byte value from a slider.
    void setChannelByte(int channel, double byteValue);
    // The swatch corner: previous and current swap. False when equal as bytes.
    bool swapWithPrevious();

    Media::RGB8 currentBytes() const { return Media::toRGB8(current); }
};

// The grey the swatch outlines a colour with, readable on it.
float contrastGrey(const float rgb[3]);

}  // namespace Component
