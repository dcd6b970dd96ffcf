#include "panels/timeline/EditLayerObjectGeometry.h"

#include <cstdint>
#include <cstdlib>

namespace Component {

int ObjectAreaView::frameAt(int x) const {
    return firstFrame + static_cast<int>(static_cast<std::int64_t>(x) * 10000 / zoom);
}

int ObjectAreaView::xAt(int frame) const {
    return static_cast<int>((static_cast<std::int64_t>(frame - firstFrame) * zoom + 5000) / 10000);
}

int ObjectAreaView::layerAt(int y) const { return firstLayer + y / layerHeight; }

int innerBoundaryCount(const Edit::Object& object) { return object.getMidPointCount(); }

int boundaryFrame(const Edit::Object& object, int k) {
    const int n = innerBoundaryCount(object);
    if (k <= 0) return object.start;
    if (k > n) return object.end + 1;
    return object.start + object.boundaries[static_cast<std::size_t>(k - 1)];
}

const Edit::ObjectPointer& hitTestObject(const ObjectAreaView& view, const Edit::Scene& scene, int x, int y) {
    const int layer = view.layerAt(y);
    if (y < 0 || layer < 0 || layer >= scene.getLayerCount()) return Edit::LayerObjectList::emptyObject();
    return scene.getLayerObjectList(layer).findNearestObject(view.frameAt(x - pickTolerance),
                                                             view.frameAt(x + pickTolerance));
}

int hitTestSection(const ObjectAreaView& view, const Edit::Object& object, int x) {
    const int n = innerBoundaryCount(object);
    if (n < 1) return -1;
    const int f = view.frameAt(x);
    int k = object.getSectionIndex(f);
    if (k == 0) {
        k = 1;
    } else if (k < n && std::abs(f - boundaryFrame(object, k + 1)) < std::abs(f - boundaryFrame(object, k))) {
        ++k;
    }
    const int b = boundaryFrame(object, k);
    return view.frameAt(x - pickTolerance) <= b && b <= view.frameAt(x + pickTolerance) ? k : -1;
}

ObjectHitArea hitTestArea(const ObjectAreaView& view, const Edit::Object& object, bool locked, int x) {
    if (locked) return {};
    const int k = hitTestSection(view, object, x);
    const int g = x - view.xAt(object.start);
    const int h = view.xAt(object.end + 1) - x;
    if (g <= pickTolerance || h <= pickTolerance) {
        if (k < 0) return g < h ? ObjectHitArea{HitStartEdge, -1} : ObjectHitArea{HitEndEdge, -1};
        const int e = std::abs(view.xAt(boundaryFrame(object, k)) - x);
        if (g < h && g < e) return {HitStartEdge, -1};
        if (g >= h && h < e) return {HitEndEdge, -1};
        return {HitSection, k};
    }
    if (k >= 0) return {HitSection, k};
    return {};
}

bool isOnLockedLayer(const Edit::Scene& scene, const Edit::Object& object) {
    const Edit::LayerObjectList& list = scene.getLayerObjectList(object.layer);
    return list.layer && list.layer->lock;
}

}  // namespace Component
