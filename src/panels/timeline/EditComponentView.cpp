// The view of the current scene: zoom, the visible counts, the scroll
// ranges, the wheel and the frame cursor.
#include "panels/timeline/EditComponent.h"

#include "edit/model/ZoomSteps.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"

#include <algorithm>

namespace Component {

namespace {

constexpr int kShiftKey = Platform::VK::SHIFT;
constexpr int kControlKey = Platform::VK::CONTROL;
// Frames the horizontal bar's arrows and wheel move.
constexpr int kFrameBarStep = 100;

bool keyHeld(int key) { return Platform::getKeyState(key) < 0; }

}  // namespace

int EditComponent::firstFrame() const { return scene().displayFrame; }
int EditComponent::firstLayer() const { return scene().displayLayer; }
int EditComponent::zoom() const { return scene().zoom.zoom > 0 ? scene().zoom.zoom : 10000; }

int EditComponent::frameAt(int x) const {
    return static_cast<int>(firstFrame() + static_cast<long long>(x) * 10000 / zoom());
}

int EditComponent::xAt(int frame) const {
    return static_cast<int>((static_cast<long long>(frame - firstFrame()) * zoom() + 5000) / 10000);
}

int EditComponent::layerAt(int y) const { return firstLayer() + y / std::max(1, layout.layerHeight); }

int EditComponent::areaWidth() const { return clientRect.width - layout.layerHeaderWidth - layout.scrollBarSize; }

Edit::FrameZoom EditComponent::stepZoom(int current, int steps) { return Edit::stepZoom(current, steps); }

void EditComponent::applyZoom(const Edit::FrameZoom& zoom) {
    Edit::Scene& current = scene();
    current.zoom = zoom;
    zoomGauge.zoom = zoom;
    zoomGauge.litCount = Edit::zoomStepIndex(zoom.zoom);
    updateFrameScroll(current.displayFrame, false);
}

void EditComponent::setZoom(const Edit::FrameZoom& zoom, int anchorFrame) {
    const long long before = (static_cast<long long>(anchorFrame - firstFrame()) * this->zoom() + 5000) / 10000;
    applyZoom(zoom);
    const int z = zoom.zoom > 0 ? zoom.zoom : 10000;
    updateFrameScroll(static_cast<int>(anchorFrame - before * 10000 / z), false);
    DrawScope scope = panelScope();
    zoomGauge.procPaint();
    horizontalBar.procPaint();
    timeGauge.procPaint();
    objectArea.procPaint();
}

void EditComponent::zoomIn() { setZoom(stepZoom(zoom(), 1), scene().cursorFrame); }
void EditComponent::zoomOut() { setZoom(stepZoom(zoom(), -1), scene().cursorFrame); }

bool EditComponent::updateLayerScroll(int first, bool force) {
    Edit::Scene& current = scene();
    const int q = (clientRect.height - layout.timeGaugeHeight - layout.scrollBarSize) / std::max(1, layout.layerHeight);
    visibleLayers = q < 0 ? 0 : q + 1;
    const int wanted = std::max(visibleLayers, current.lastLayer + visibleLayers / 2);
    if (layerRange < wanted || force) layerRange = wanted;
    const int clamped = std::clamp(first, 0, std::max(0, layerRange - visibleLayers));
    current.displayLayer = clamped;
    if (clamped == verticalBar.viewStart && layerRange == verticalBar.maximum) return false;
    verticalBar.minimum = 0;
    verticalBar.maximum = layerRange;
    verticalBar.setViewRange(clamped, clamped + visibleLayers);
    return true;
}

bool EditComponent::updateFrameScroll(int first, bool force) {
    Edit::Scene& current = scene();
    const long long frames =
        static_cast<long long>(clientRect.width - layout.layerHeaderWidth - layout.scrollBarSize) * 10000 / zoom() + 1;
    visibleFrames = frames <= 0 ? 0 : static_cast<int>(frames);
    const int wanted = std::max(visibleFrames, current.totalLength + visibleFrames / 2);
    if (frameRange < wanted || force) frameRange = wanted;
    const int clamped = std::clamp(first, 0, std::max(0, frameRange - visibleFrames));
    if (clamped != current.displayFrame || visibleFrames != current.displayFrameCount) {
        current.displayFrame = clamped;
        current.displayFrameCount = visibleFrames;
        if (eventService) eventService->frameRangeView.notify(clamped, visibleFrames);
    }
    if (clamped == horizontalBar.viewStart && frameRange == horizontalBar.maximum) return false;
    horizontalBar.minimum = 0;
    horizontalBar.maximum = frameRange;
    horizontalBar.step = kFrameBarStep;
    horizontalBar.setViewRange(clamped, clamped + visibleFrames);
    return true;
}

void EditComponent::refreshView(int layer) {
    Edit::Scene& current = scene();
    const bool layers = updateLayerScroll(current.displayLayer, true);
    const bool frames = updateFrameScroll(current.displayFrame, true);
    const int cursor = std::clamp(current.cursorFrame, 0, std::max(0, current.totalLength));
    const bool cursorChanged = cursor != current.cursorFrame;
    if (cursorChanged) {
        current.cursorFrame = cursor;
        updateRangeSelect(cursor);
    }
    repaintView(layers, frames, cursorChanged, true, layer);
}

void EditComponent::scrollTo(int layer, int frame, int cursor) {
    Edit::Scene& current = scene();
    const bool layers = updateLayerScroll(layer, false);
    const bool frames = updateFrameScroll(frame, false);
    const int clamped = std::clamp(cursor, 0, std::max(0, current.totalLength));
    const bool cursorChanged = clamped != current.cursorFrame;
    if (cursorChanged) {
        current.cursorFrame = clamped;
        updateRangeSelect(clamped);
    }
    if (layers || frames || cursorChanged) repaintView(layers, frames, cursorChanged, false, -1);
}

void EditComponent::repaintView(bool layers, bool frames, bool cursor, bool full, int layer) {
    DrawScope scope = panelScope();
    if (layers) {
        verticalBar.procPaint();
        layerHeader.procPaint();
        full = true;
        layer = -1;
    }
    if (frames || cursor) {
        horizontalBar.procPaint();
        timeGauge.procPaint();
        objectArea.procPaint();
    } else if (full) {
        if (layer < 0)
            objectArea.procPaint();
        else
            objectArea.paintLayer(layer);
    }
    lastCursorFrame = scene().cursorFrame;
}

void EditComponent::setCursorFromPoint(int x) {
    const int frame = frameAt(x);
    Edit::Scene& current = scene();
    if (frame == current.cursorFrame) return;
    int first = current.displayFrame;
    const int width = areaWidth();
    if (x < 0) {
        first = std::max(0, static_cast<int>(first - static_cast<long long>(-x) * 10000 / zoom()));
    } else if (x >= width) {
        first = std::min(static_cast<int>(first + static_cast<long long>(x - width + 1) * 10000 / zoom()),
                         frameRange - visibleFrames);
    }
    scrollTo(current.displayLayer, first, frame);
    editService->setCurrentFrame(current.cursorFrame);
}

void EditComponent::updateRangeSelect(int frame) {
    Edit::Scene& current = scene();
    if (!editService->moveFrameSelectRangeMode || !keyHeld(kShiftKey)) {
        current.selectAnchorFrame = frame;
        return;
    }
    const int start = std::min(current.selectAnchorFrame, frame);
    const int end = std::max(current.selectAnchorFrame, frame);
    if (start == current.selectStartFrame && end == current.selectEndFrame) return;
    current.selectStartFrame = start;
    current.selectEndFrame = end;
    if (eventService) eventService->frameRangeSelect.notify(start, end);
}

void EditComponent::wheelView(int x, int, int delta) {
    Edit::Scene& current = scene();
    if (keyHeld(kControlKey)) {
        setZoom(stepZoom(zoom(), delta > 0 ? 1 : -1), frameAt(x));
        return;
    }
    if (layerWheelMode) {
        const int layer = std::clamp(current.displayLayer + (delta > 0 ? -1 : 1), 0,
                                     std::max(0, layerRange - visibleLayers));
        scrollTo(layer, current.displayFrame, current.cursorFrame);
        return;
    }
    const int step = 1000000 / zoom();
    const int frame =
        std::clamp(current.displayFrame + (delta > 0 ? -step : step), 0, std::max(0, frameRange - visibleFrames));
    scrollTo(current.displayLayer, frame, current.cursorFrame);
}

}  // namespace Component
