#include "settings/color/ColorState.h"

#include <algorithm>

namespace Component {

namespace {

bool sameBytes(Media::RGB8 a, Media::RGB8 b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

}  // namespace

bool ColorState::setColor(float r, float g, float b, float a) {
    const float rgb[3] = {r, g, b};
    if (sameBytes(Media::toRGB8(rgb), currentBytes())) return false;
    current[0] = r, current[1] = g, current[2] = b, current[3] = a;
    const Media::HSV hsv = Media::rgbToHsv(rgb);
    value = hsv.v;
    if (hsv.v > 0) {
        saturation = hsv.s;
        if (hsv.s > 0) hue = hsv.h;
    }
    return true;
}

void ColorState::setHsv(float h, float s, float v) {
    hue = h, saturation = s, value = v;
    const float hsv[3] = {h, s, v};
    const Media::RGBA c = Media::hsvToRgb(hsv);
    current[0] = c.r, current[1] = c.g, current[2] = c.b, current[3] = 1;
}

void ColorState::setHueDegrees(double degrees) {
    setHsv(std::clamp(static_cast<float>(degrees / 360), 0.0f, 1.0f), saturation, value);
}

void ColorState::setSaturationPercent(double percent) {
    setHsv(hue, std::clamp(static_cast<float>(percent / 100), 0.0f, 1.0f), value);
}

void ColorState::setValuePercent(double percent) {
    setHsv(hue, saturation, std::clamp(static_cast<float>(percent / 100), 0.0f, 1.0f));
}

void ColorState::setChannelByte(int channel, double byteValue) {
    float c[4] = {current[0], current[1], current[2], current[3]};
    c[std::clamp(channel, 0, 2)] = static_cast<float>(static_cast<int>(byteValue)) / 255;
    setColor(c[0], c[1], c[2], 1);
}

bool ColorState::swapWithPrevious() {
    if (sameBytes(Media::toRGB8(previous), currentBytes())) return false;
    const float before[4] = {previous[0], previous[1], previous[2], previous[3]};
    std::copy(current, current + 4, previous);
    setColor(before[0], before[1], before[2], before[3]);
    return true;
}

float contrastGrey(const float rgb[3]) {
    float l = 0.299f * rgb[0] + 0.587f * rgb[1] + 0.114f * rgb[2];
    l = l < 0.5f ? l + 0.66f : l - 0.66f;
    return std::clamp(l, 0.2f, 0.8f);
}

}  // namespace Component
