#pragma once
// Fitting a moved block of selected objects into free space: the block
// keeps its shape (per layer, its selected objects count as one stretch from
// their earliest start to their latest end at the press) and only
// unselected objects are obstacles. A blocked place slides the block to the
// nearer free side, to the right on a tie; a layer without room gives way to
// the layers in between, one at a time, toward the pressed one.
#include "edit/model/Scene.h"

#include <vector>

namespace Component {

// The reach of the selection when a drag starts.
struct ObjectDragExtent {
    struct Range {
        int layer = 0;
        int minStart = 0;
        int maxEnd = 0;
    };
    int minLayer = 0;
    int maxLayer = 0;
    int minStart = 0;
    int maxEnd = 0;
    // One entry per layer, in the order the objects reach them.
    std::vector<Range> layers;

    static ObjectDragExtent of(const std::vector<Edit::ObjectPointer>& objects);
};

// Where a drag began and how far the block has come.
struct ObjectDragPosition {
    int pressLayer = 0;
    int pressFrame = 0;
    int dragLayer = 0;
    int dragFrame = 0;
};

class ObjectBlockFit {
public:
    const Edit::Scene& scene;
    const ObjectDragExtent& extent;
    const ObjectDragPosition& drag;
    int firstFrame = 0;
    int visibleFrames = 0;

    // The block offset by L layers and base + value frames from the press:
    // true when free. Otherwise value moves to just past the first obstacle
    // (toward 0; value > 0 slides left, value < 0 right) and the result is
    // false; value 0 is a failure.
    bool checkFreeSpace(int layerOffset, int base, int& value) const;
    // The deltas become a free place near the asked one (true), or the
    // layer delta steps toward 0 with the frame delta back at `requested`
    // (the frame delta 0 once the layer delta is 0) and the result is false.
    bool fitMove(int& layerDelta, int& frameDelta, int requested) const;
};

}  // namespace Component
