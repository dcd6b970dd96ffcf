#include "panels/timeline/EditLayerObjectFit.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace Component {

ObjectDragExtent ObjectDragExtent::of(const std::vector<Edit::ObjectPointer>& objects) {
    ObjectDragExtent extent;
    bool first = true;
    for (const Edit::ObjectPointer& object : objects) {
        if (first) {
            extent.minLayer = extent.maxLayer = object->layer;
            extent.minStart = object->start;
            extent.maxEnd = object->end;
            first = false;
        } else {
            extent.minLayer = std::min(extent.minLayer, object->layer);
            extent.maxLayer = std::max(extent.maxLayer, object->layer);
            extent.minStart = std::min(extent.minStart, object->start);
            extent.maxEnd = std::max(extent.maxEnd, object->end);
        }
        auto range = std::find_if(extent.layers.begin(), extent.layers.end(),
                                  [&](const Range& r) { return r.layer == object->layer; });
        if (range == extent.layers.end()) {
            extent.layers.push_back({object->layer, object->start, object->end});
        } else {
            range->minStart = std::min(range->minStart, object->start);
            range->maxEnd = std::max(range->maxEnd, object->end);
        }
    }
    return extent;
}

bool ObjectBlockFit::checkFreeSpace(int layerOffset, int base, int& value) const {
    if (value == 0) return false;
    for (const ObjectDragExtent::Range& range : extent.layers) {
        const Edit::LayerObjectList& list = scene.getLayerObjectList(range.layer + layerOffset);
        const int s = base + range.minStart + value;
        const int e = base + range.maxEnd + value;
        if (value < 0) {
            if (s < 0) {
                value -= s;
                return false;
            }
            for (auto it = list.upperBoundByStartFrame(e); it != list.objects.begin();) {
                const Edit::Object& object = **--it;
                if (object.end < s) break;
                if (object.selected) continue;
                value = std::min(0, value + (object.end + 1 - s));
                return false;
            }
        } else {
            for (auto it = list.lowerBoundByEndFrame(s); it != list.objects.end() && (*it)->start <= e; ++it) {
                const Edit::Object& object = **it;
                if (object.selected || object.end < s) continue;
                value = std::max(0, value + (object.start - 1 - e));
                return false;
            }
        }
    }
    return true;
}

bool ObjectBlockFit::fitMove(int& layerDelta, int& frameDelta, int requested) const {
    const int layerOffset = drag.dragLayer + layerDelta - drag.pressLayer;
    const int g = drag.dragFrame + frameDelta - drag.pressFrame;

    const int f = std::max(0, g + std::min(extent.maxEnd - firstFrame, extent.minStart));
    int h = f;
    while (h != 0 && !checkFreeSpace(layerOffset, g - f, h)) {
    }

    const int l = std::min(0, g + extent.minStart - visibleFrames - firstFrame);
    int m = l;
    while (m != 0 && !checkFreeSpace(layerOffset, g - l, m)) {
    }

    const bool left = h != 0;
    const bool right = m != 0;
    if (left || right) {
        const bool takeLeft = left && (!right || std::abs(h - f) < std::abs(m - l));
        frameDelta += takeLeft ? h - f : m - l;
        return true;
    }
    if (layerDelta != 0) {
        layerDelta += layerDelta > 0 ? -1 : 1;
        frameDelta = requested;
    } else {
        frameDelta = 0;
    }
    return false;
}

}  // namespace Component
