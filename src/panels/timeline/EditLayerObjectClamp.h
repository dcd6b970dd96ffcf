#pragma once
// How far an edge or a section boundary of an object may be dragged: never
// into the neighbours on its layer, and never so far that the object, its
// first section or a middle section loses its last frame, or its last
// section gets shorter than two frames.
#include "edit/model/Scene.h"

namespace Component {

// The start edge moved by delta, clamped.
int clampStartDelta(const Edit::Scene& scene, const Edit::Object& object, int delta);
// The end edge moved by delta, clamped.
int clampEndDelta(const Edit::Scene& scene, const Edit::Object& object, int delta);

// Which part moves with an inner boundary: only the boundary (0), the start
// and the boundaries before it (1), or the boundary with everything after it
// up to the end (2).
struct SectionDeltaLimits {
    int lower = 0;
    int upper = 0;

    int clamp(int delta) const { return delta > upper ? upper : (delta < lower ? lower : delta); }
};
SectionDeltaLimits sectionDeltaLimits(const Edit::Scene& scene, const Edit::Object& object, int k, int side);

}  // namespace Component
