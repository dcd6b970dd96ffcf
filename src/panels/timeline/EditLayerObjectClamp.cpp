#include "panels/timeline/EditLayerObjectClamp.h"

#include "panels/timeline/EditLayerObjectGeometry.h"

#include <algorithm>

namespace Component {

namespace {

const Edit::LayerObjectList& layerOf(const Edit::Scene& scene, const Edit::Object& object) {
    return scene.getLayerObjectList(object.layer);
}

// The frame after the previous object on the layer, or 0.
int roomBefore(const Edit::Scene& scene, const Edit::Object& object) {
    const Edit::ObjectPointer& previous = layerOf(scene, object).getPreviousObject(object);
    return previous ? previous->end + 1 : 0;
}

// The first object after the given one's end, or the empty pointer.
const Edit::ObjectPointer& nextObject(const Edit::Scene& scene, const Edit::Object& object) {
    const Edit::LayerObjectList& list = layerOf(scene, object);
    for (auto it = list.lowerBoundByEndFrame(object.end + 1); it != list.objects.end(); ++it)
        if (it->get() != &object) return *it;
    return Edit::LayerObjectList::emptyObject();
}

}  // namespace

int clampStartDelta(const Edit::Scene& scene, const Edit::Object& object, int delta) {
    if (delta < 0) return std::max(delta, roomBefore(scene, object) - object.start);
    if (!object.boundaries.empty()) return std::min(delta, object.boundaries.front() - 1);
    return std::min(delta, object.end - object.start);
}

int clampEndDelta(const Edit::Scene& scene, const Edit::Object& object, int delta) {
    if (delta > 0) {
        const Edit::ObjectPointer& next = nextObject(scene, object);
        return next ? std::min(delta, next->start - object.end - 1) : delta;
    }
    if (!object.boundaries.empty()) return std::max(delta, object.start + object.boundaries.back() - object.end + 1);
    return std::max(delta, object.start - object.end);
}

SectionDeltaLimits sectionDeltaLimits(const Edit::Scene& scene, const Edit::Object& object, int k, int side) {
    const int n = innerBoundaryCount(object);
    const int b = boundaryFrame(object, k);
    SectionDeltaLimits limits;
    limits.lower = std::min(0, boundaryFrame(object, k - 1) + 1 - b);
    limits.upper = k < n ? boundaryFrame(object, k + 1) - b - 1 : std::max(0, object.end - b - 1);
    if (side == 1) limits.lower = roomBefore(scene, object) - object.start;
    if (side == 2) {
        const Edit::ObjectPointer& next = nextObject(scene, object);
        limits.upper = next ? next->start - object.end - 1 : 2000000000;
    }
    return limits;
}

}  // namespace Component
