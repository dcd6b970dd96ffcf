#pragma once
// The arithmetic of the object settings window, apart from its drawing:
// which section and boundary the cursor frame stands at, how far the block
// list scrolls, and where frames lie on the section gauge.
#include "effect/movement/SectionPosition.h"

#include <string>

namespace Component {

// Section display: 0 none, 1 two points only, 2 sections.
enum SectionViewMode : int { SectionViewNone = 0, SectionViewTwoPoints = 1, SectionViewSections = 2 };

struct SectionIndices {
    int sectionCount = 0;
    // The section shown as current: in mode 2 the one holding the frame,
    // otherwise the boundary nearest to it.
    int sectionIndex = 0;
    // The boundary nearest to the frame (0 the start, k the start of
    // section k); an exact half-way frame keeps the earlier one.
    int pointIndex = 0;
};
SectionIndices sectionIndicesAt(const Effect::ObjectFrames& object, int frame, int sectionViewMode);

// The room that scrolls in below the last block: height / 8 kept within
// one to four rows.
int scrollSlack(int clientHeight, int rowHeight);
// The largest scroll position (at least 0).
int scrollMaximum(int contentHeight, int headerHeight, int slack, int clientHeight);

// The gauge's track: `width` pixels after a left margin, over an object of
// `length` frames.
struct GaugeTrack {
    int start = 0;
    int length = 0;
    int width = 0;
    int margin = 0;

    // The frame offset nearest to x (relative to the control); 0 when the
    // track or the object is shorter than 2.
    int offsetAt(int x) const;
    // x of the frame relative to the track's origin; -1 outside the object.
    int xOf(int frame) const;
};

// The boundary (0 the start, midpoints + 1 the end) nearest to x when it
// lies within 8 pixels of it, else -1.
int hitTestBoundary(const Effect::ObjectFrames& object, const GaugeTrack& track, int x);
// The frame of boundary k (end + 1 for the last).
int boundaryFrame(const Effect::ObjectFrames& object, int k);

// "%s%02d:%02d.%02d" of a time in seconds: sign, minutes (not wrapped),
// seconds, hundredths, each truncated.
std::wstring formatShortTime(double seconds);

}  // namespace Component
