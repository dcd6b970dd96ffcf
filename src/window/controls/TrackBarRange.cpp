#include "window/controls/TrackBarRange.h"

#include <algorithm>
#include <cmath>

namespace Control {

float TrackBarRange::fraction(int value) const {
    return static_cast<float>(static_cast<double>(value) - minimum) /
           static_cast<float>(static_cast<double>(maximum) - minimum + 1);
}

void TrackBarRange::clampRange(int& start, int& end) const {
    start = start > maximum ? maximum : std::max(start, minimum);
    end = std::clamp(end, start, maximum);
}

void TrackBarRange::setMaximum(int n) {
    minimum = std::min(n, 0);
    maximum = std::max(n, 0);
    position = std::clamp(position, minimum, maximum);
    positionFraction = fraction(position);
    updatePixels();
    setMarkRange(markStart, markEnd);
    setSelectRange(selectStart, selectEnd);
}

void TrackBarRange::setMarkRange(int start, int end) {
    clampRange(start, end);
    markStart = start;
    markEnd = end;
    markStartFraction = fraction(start);
    markEndFraction = fraction(end);
    updatePixels();
}

void TrackBarRange::setSelectRange(int start, int end) {
    clampRange(start, end);
    selectStart = start;
    selectEnd = end;
    selectStartFraction = fraction(start);
    selectEndFraction = fraction(end);
    updatePixels();
}

void TrackBarRange::setPosition(int value) {
    position = std::clamp(value, minimum, maximum);
    positionFraction = fraction(position);
    updatePixels();
}

void TrackBarRange::updateGeometry(int width, int height) {
    width_ = width;
    height_ = height;
    updatePixels();
}

void TrackBarRange::updatePixels() {
    inset = height_ / 8.0f;
    knobHalfWidth = std::max(0.2f * (height_ - 2 * inset), 3.0f);
    trackLength = width_ - static_cast<int>(std::lround(2 * knobHalfWidth));
    knobX = trackLength * positionFraction;
    markStartX = trackLength * markStartFraction + knobHalfWidth;
    markEndX = trackLength * markEndFraction + knobHalfWidth;
    selectStartX = trackLength * selectStartFraction + knobHalfWidth;
    selectEndX = trackLength * selectEndFraction + knobHalfWidth;
}

bool TrackBarRange::positionAt(int x, int& out) const {
    if (trackLength <= 0) return false;
    out = static_cast<int>(static_cast<double>(maximum - minimum) * (x - knobHalfWidth) / trackLength);
    return true;
}

bool TrackBarRange::dragPosition(int startValue, int dx, int& out) const {
    if (trackLength <= 0) return false;
    out = static_cast<int>(static_cast<double>(maximum - minimum) * dx / trackLength) + startValue;
    return true;
}

}  // namespace Control
