#include "panels/timeline/EditLayerObjectSnap.h"

#include <cmath>
#include <cstdlib>

namespace Component {

namespace {

// Lines every `step` frames from the offset, used when one step spans at
// least six pixels.
bool gridStepVisible(const ObjectAreaView& view, double step, double offset) {
    return view.xAt(static_cast<int>(step + offset)) - view.xAt(static_cast<int>(offset)) >= 6;
}

}  // namespace

int snapTempoGrid(const SnapTargets& targets, int frame) {
    const Edit::Scene& scene = *targets.scene;
    const float rate = static_cast<float>(scene.videoRate);
    const float scale = static_cast<float>(scene.videoScale);
    if (!(rate * 60 > 0) || !(scale * scene.tempoBeatPerMinute > 0)) return -1;
    double step = static_cast<double>(rate * 60.0f / (scale * scene.tempoBeatPerMinute));
    const double offset = static_cast<double>(rate * scene.tempoOffsetTime / scale);
    if (!gridStepVisible(targets.view, step, offset)) {
        step *= scene.tempoBeatTime;
        if (!(step > 0) || !gridStepVisible(targets.view, step, offset)) return -1;
    }
    const double n = std::round((frame - offset) / step);
    return static_cast<int>(n * step + offset);
}

void findSnapFrame(const SnapTargets& targets, int a, int& r) {
    const Edit::Scene& scene = *targets.scene;
    int c = std::abs(r);
    bool found = false;
    int d = 0;
    for (int layer = 0; layer <= scene.lastLayer && c > 0; ++layer) {
        const Edit::LayerObjectList& list = scene.getLayerObjectList(layer);
        for (auto it = list.lowerBoundByEndFrame(a - c); it != list.objects.end() && (*it)->start <= a + c; ++it) {
            const Edit::Object& object = **it;
            if (object.selected) continue;
            const int n = innerBoundaryCount(object);
            for (int k = 0; k <= n + 1; ++k) {
                const int b = boundaryFrame(object, k);
                if (std::abs(b - a) < c) {
                    d = b;
                    c = std::abs(b - a);
                    found = true;
                }
            }
        }
    }
    if (targets.tempoGrid) {
        const int g = snapTempoGrid(targets, a);
        if (g >= 0 && std::abs(g - a) < c) {
            d = g;
            c = std::abs(g - a);
            found = true;
        }
    }
    if (c > 0 && std::abs(scene.cursorFrame - a) < c) {
        d = scene.cursorFrame;
        found = true;
    }
    if (found) r = d - a;
}

int snapCandidates(const SnapTargets& targets, const int* candidates, int count, int delta) {
    const int radius = targets.view.snapRadius();
    int r = radius;
    for (int i = 0; i < count; ++i) findSnapFrame(targets, candidates[i] + delta, r);
    return std::abs(r) < radius ? delta + r : delta;
}

int snapFrame(const SnapTargets& targets, int frame) { return frame + snapCandidates(targets, &frame, 1, 0); }

}  // namespace Component
