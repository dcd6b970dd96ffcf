#pragma once
// The zoom gauge's row of segments, one per zoom level above the first:
// how wide they are, where the row starts, and the level a point chooses.
namespace Control {

struct ZoomGaugeSegments {
    // For a gauge of a width: count segments of equal width (1 when they
    // would be narrower than 2), the row centred.
    void layout(int width, int levels);
    // The level index (0..count) a point chooses: the segment under it,
    // plus one.
    int levelAt(int x) const;

    int count = 0;
    int width = 1;
    int left = 0;
};

}  // namespace Control
