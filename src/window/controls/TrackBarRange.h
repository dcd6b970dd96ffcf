#pragma once
// The values of the player's track bar and where they stand on it: a
// position within minimum..maximum, a marked and a selected range, and the
// pixel geometry of the knob, the track and the range ends for a size.
namespace Control {

class TrackBarRange {
public:
    // The range becomes 0..n (n..0 when negative); the position and both
    // ranges are clamped into it.
    void setMaximum(int n);
    void setMarkRange(int start, int end);
    void setSelectRange(int start, int end);
    void setPosition(int value);
    // The knob, track and range ends for a bar of a width and height.
    void updateGeometry(int width, int height);
    // The position a press at x on the track asks for, and the one a knob
    // drag by dx from the start value asks for (not clamped; false without
    // a track).
    bool positionAt(int x, int& out) const;
    bool dragPosition(int startValue, int dx, int& out) const;

    float fraction(int value) const;

    int minimum = 0;
    int maximum = 0;
    int position = 0;
    int markStart = 0;
    int markEnd = 0;
    int selectStart = 0;
    int selectEnd = 0;
    int trackLength = 0;
    float knobHalfWidth = 3;
    float inset = 0;
    float positionFraction = 0;
    float markStartFraction = 0;
    float markEndFraction = 0;
    float selectStartFraction = 0;
    float selectEndFraction = 0;
    float knobX = 0;
    float markStartX = 0;
    float markEndX = 0;
    float selectStartX = 0;
    float selectEndX = 0;

private:
    void clampRange(int& start, int& end) const;
    void updatePixels();
    int width_ = 0;
    int height_ = 0;
};

}  // namespace Control
