#pragma once
// Where a frame lies among an object's sections. An object with n section
// boundaries has the key frames start, start + b1, ..., start + bn, end and
// n + 1 sections; a frame on a boundary belongs to the section that starts
// there. Number items and movements evaluate at such a position.
#include <vector>

namespace Effect {

// An object's frame range (inclusive) and its section boundaries: offsets
// from the start, strictly increasing, each inside the range.
struct ObjectFrames {
    int start = 0;
    int end = 0;
    std::vector<int> boundaries;

    int getMidPointCount() const { return static_cast<int>(boundaries.size()); }
    // The number of boundaries at or before frame - start.
    int getSectionIndex(int frame) const;
    // Distance between the section's two key frames (no minimum).
    int getSectionLength(int index) const;
};

struct SectionPosition {
    int index = 0;
    int count = 1;
    double offset = 0.0;  // frames from the section start
    int length = 1;       // at least 1
    double position = 0.0;  // 0 at the start, 1 at the end frame

    SectionPosition() = default;
    SectionPosition(const ObjectFrames& object, int frame, double time);

    // The whole object as one section (items that ignore mid-points).
    static SectionPosition wholeObject(const ObjectFrames& object, double time);
};

}  // namespace Effect
