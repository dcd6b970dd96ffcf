#pragma once
// The arithmetic of a scroll bar, apart from its drawing and input: an
// integer range with a visible view inside it (both counted inclusively),
// the two arrow buttons and the track between them, and the thumb, which
// reaches 3 px beyond its share of the track at both ends. The bar only
// computes positions; its owner applies them.
namespace Control {

// Half away from zero, as the bar places its thumb.
int roundHalfAway(float value);

class ScrollBarGeometry {
public:
    // Layout along a bar of length pixels and thickness across: both arrows
    // are min(thickness, length / 2 - 3) long (none below 6 px), the rest
    // is track; then the thumb is placed.
    void layoutTrack(int length, int thickness);
    // Clamps and stores the view (start first, then the end into
    // start..maximum) and places the thumb.
    void setViewRange(int start, int end);
    // thumbFrom/thumbTo from the view's share of the track.
    void placeThumb();
    // The thumb along the bar from its start: first pixel and length.
    int thumbOffset() const { return arrowSize + roundHalfAway(thumbFrom); }
    int thumbLength() const { return roundHalfAway(thumbTo - thumbFrom) + 1; }

    // A wanted view start clamped to minimum..maximum - view length.
    int clampPosition(int position) const;
    // The start of the view centred on a fraction of the range; false when
    // the whole range is in view.
    bool ratioPosition(float fraction, int& start) const;
    // A track press at t pixels from the track's start: a page back before
    // the thumb's middle, else a page forward (the new start is the old
    // end). Unclamped.
    int pagePosition(int t) const;
    // A thumb dragged by delta pixels from a press at view start
    // dragStart (truncated, unclamped); meaningful only with a track.
    int dragPosition(int delta, int dragStart) const;

    int minimum = 0;
    int maximum = 0;
    int viewStart = 0;
    int viewEnd = 0;
    int step = 1;
    int arrowSize = 0;
    int trackLength = 0;
    float thumbStart = 0.0f;
    float thumbEnd = 1.0f;
    float thumbFrom = 0.0f;
    float thumbTo = 0.0f;
};

}  // namespace Control
