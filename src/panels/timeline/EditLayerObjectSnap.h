#pragma once
// Snapping of dragged frames to the boundaries of other objects, the tempo
// grid and the frame cursor, within eight pixels.
#include "panels/timeline/EditLayerObjectGeometry.h"

namespace Component {

struct SnapTargets {
    const Edit::Scene* scene = nullptr;
    ObjectAreaView view;
    // The grid takes part only while the timeline shows it.
    bool tempoGrid = false;
};

// The grid line nearest to the frame, or -1 when the lines lie closer than
// six pixels even bar by bar (or the tempo is not positive).
int snapTempoGrid(const SnapTargets& targets, int frame);

// r carries the distance searched so far (a radius, or the offset a previous
// candidate found) and becomes target - frame when a strictly nearer target
// is found. Selected objects are not targets. Ties keep the earlier target:
// layers top to bottom, objects left to right, then the grid, then the
// cursor.
void findSnapFrame(const SnapTargets& targets, int frame, int& r);

// The delta that brings the nearer of the candidate frames (each moved by
// delta) onto a target, when one lies within the radius; otherwise delta.
int snapCandidates(const SnapTargets& targets, const int* candidates, int count, int delta);

// A frame under the pointer snapped for a menu or a drop.
int snapFrame(const SnapTargets& targets, int frame);

}  // namespace Component
