#include "edit/model/ZoomSteps.h"

#include <algorithm>

namespace Edit {

int normalizeZoomStep(int zoom) { return zoomStepIndex(zoom) >= 0 ? zoom : 10000; }

int zoomStepIndex(int zoom) {
    const auto found = std::find(zoomStepTable.begin(), zoomStepTable.end(), zoom);
    return found == zoomStepTable.end() ? -1 : static_cast<int>(found - zoomStepTable.begin());
}

FrameZoom zoomAtStep(int index) {
    FrameZoom zoom;
    zoom.normalizer = normalizeZoomStep;
    zoom.set(zoomStepTable[std::clamp(index, 0, static_cast<int>(zoomStepTable.size()) - 1)]);
    return zoom;
}

FrameZoom stepZoom(int current, int steps) { return zoomAtStep(zoomStepIndex(current) + steps); }

}  // namespace Edit
