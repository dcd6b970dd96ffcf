// The edits of a drag: moving the selection with snapping and free-space
// fitting, moving start and end edges and section boundaries within their
// limits, the resize notification to media objects and the move-time tip.
// Every step edits the objects inside a short edit scope; the undo group
// the press opened records the whole drag.
#include "panels/timeline/EditLayerObjectControl.h"

#include "core/text/StringUtility.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/base/EffectEvent.h"
#include "panels/timeline/EditComponent.h"
#include "panels/timeline/EditLayerObjectClamp.h"
#include "platform/gtk/Screen.h"
#include "window/ToolTips.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Component {

namespace {

void markChanged(Edit::Scene& scene, const Edit::Object& object) {
    Edit::LayerObjectList& list = scene.getLayerObjectListGrow(object.layer);
    list.sortNeeded = true;
    if (object.layerRangeControl) list.controlRangeNeeded = true;
}

void moveStart(Edit::Scene& scene, Edit::Object& object, int delta) {
    object.start += delta;
    for (int& offset : object.boundaries) offset -= delta;
    markChanged(scene, object);
}

void moveEnd(Edit::Scene& scene, Edit::Object& object, int delta) {
    object.end += delta;
    markChanged(scene, object);
}

}  // namespace

int EditLayerObjectControl::snapDelta(int delta) const {
    if (!hover.object || !editService->layerObjectMoveSnap) return delta;
    const Edit::Object& pressed = *hover.object;
    int candidates[2] = {pressed.start, pressed.end + 1};
    int count = 1;
    switch (dragMode) {
    case DragMove:
        count = 2;
        break;
    case DragStartEdge:
        break;
    case DragEndEdge:
        candidates[0] = pressed.end + 1;
        break;
    case DragSection:
        candidates[0] = boundaryFrame(pressed, hover.section);
        break;
    default:
        return delta;
    }
    return snapCandidates(snapTargets(), candidates, count, delta);
}

void EditLayerObjectControl::dragMove(int x, int y) {
    Edit::Scene& scene = panel.scene();
    const ObjectAreaView v = view();
    const int height = v.layerHeight;
    int layerDelta = v.layerAt(y - 3) - dragLayer;
    int frameDelta = snapDelta(v.frameAt(x) - dragFrame);
    if (shiftDown()) {
        const int horizontal =
            static_cast<int>((static_cast<long long>(std::abs(dragFrame + frameDelta - pressFrame)) * v.zoom + 5000) / 10000);
        const int vertical = std::abs(dragLayer + layerDelta - pressLayer) * height;
        if (vertical <= horizontal) layerDelta = pressLayer - dragLayer;
        else frameDelta = pressFrame - dragFrame;
    }

    // Auto-scroll past the edges, written into the scene's view; the scroll
    // bars follow at the next refresh.
    const int areaHeight = fullRect().height;
    const int areaWidth = fullRect().width;
    if (y < 0) {
        scene.displayLayer = std::max(0, scene.displayLayer + y / height);
    } else if (y >= areaHeight - height) {
        const int limit = std::max(0, panel.layerRange - panel.visibleLayers);
        const int next = scene.displayLayer + 1 + (y - height - areaHeight) / height;
        scene.displayLayer = std::clamp(std::max(next, scene.displayLayer), 0, std::max(limit, scene.displayLayer));
    }
    if (x < 0) {
        scene.displayFrame = std::max(0, scene.displayFrame - static_cast<int>(static_cast<long long>(-x) * 10000 / v.zoom));
    } else if (x >= areaWidth) {
        const int next = scene.displayFrame + static_cast<int>(static_cast<long long>(x - areaWidth + 1) * 10000 / v.zoom);
        scene.displayFrame = std::max(0, std::min(next, panel.frameRange - panel.visibleFrames));
    }

    moveObjects(layerDelta, frameDelta);
    dragLayer += layerDelta;
    dragFrame += frameDelta;
}

void EditLayerObjectControl::moveObjects(int& layerDelta, int& frameDelta) {
    Edit::Scene& scene = panel.scene();
    const std::vector<Edit::ObjectPointer> selection = scene.selection.objects;
    if (selection.empty()) {
        layerDelta = frameDelta = 0;
        return;
    }
    if (layerDelta > 0) {
        const int highest = dragLayer + dragExtent.maxLayer - pressLayer;
        if (highest + layerDelta > panel.layerRange - 1) layerDelta = panel.layerRange - 1 - highest;
    } else if (layerDelta < 0) {
        const int lowest = dragLayer + dragExtent.minLayer - pressLayer;
        if (lowest + layerDelta < 0) layerDelta = -lowest;
    }
    if (layerDelta == 0 && frameDelta == 0) return;
    if (frameDelta < 0) {
        const int earliest = dragFrame + dragExtent.minStart - pressFrame;
        if (earliest + frameDelta < 0) frameDelta = -earliest;
    }
    const int requested = frameDelta;
    const ObjectDragPosition position = dragPosition();
    const ObjectBlockFit fit{scene, dragExtent, position, scene.displayFrame, panel.visibleFrames};
    while (!fit.fitMove(layerDelta, frameDelta, requested)) {
        if (layerDelta == 0 && frameDelta == 0) break;
    }
    if (layerDelta == 0 && frameDelta == 0) {
        panel.scrollTo(scene.displayLayer, scene.displayFrame, scene.cursorFrame);
        return;
    }

    const int lastFrame = scene.totalLength;
    {
        Edit::EditScope scope(*editService);
        scope.resortLayers = true;
        scope.refreshTimeSetting = true;
        for (const Edit::ObjectPointer& object : selection) {
            if (layerDelta != 0) scene.moveObjectLayer(object, object->layer + layerDelta);
            object->start += frameDelta;
            object->end += frameDelta;
            markChanged(scene, *object);
        }
    }
    const bool oneRow = layerDelta == 0 && dragExtent.minLayer == dragExtent.maxLayer &&
                        scene.totalLength == lastFrame && !scene.selection.controlSelected;
    panel.refreshView(oneRow ? selection.front()->layer : -1);
}

void EditLayerObjectControl::resizeStart(int& delta) {
    Edit::Scene& scene = panel.scene();
    const std::vector<Edit::ObjectPointer> selection = scene.selection.objects;
    if (selection.empty()) {
        delta = 0;
        return;
    }
    Edit::Object& leader = *selection.front();
    delta = clampStartDelta(scene, leader, delta);
    if (delta != 0) {
        {
            Edit::EditScope scope(*editService);
            scope.resortLayers = true;
            scope.refreshTimeSetting = true;
            moveStart(scene, leader, delta);
            for (std::size_t i = 1; i < selection.size(); ++i) {
                const int d = clampStartDelta(scene, *selection[i], delta);
                if (d != 0) moveStart(scene, *selection[i], d);
            }
        }
        panel.refreshView(selection.size() == 1 && !leader.layerRangeControl ? leader.layer : -1);
    }
    showMoveTime();
}

void EditLayerObjectControl::resizeEnd(int& delta) {
    Edit::Scene& scene = panel.scene();
    const std::vector<Edit::ObjectPointer> selection = scene.selection.objects;
    if (selection.empty()) {
        delta = 0;
        return;
    }
    Edit::Object& leader = *selection.front();
    delta = clampEndDelta(scene, leader, delta);
    if (delta != 0) {
        const int lastFrame = scene.totalLength;
        {
            Edit::EditScope scope(*editService);
            scope.resortLayers = true;
            scope.refreshTimeSetting = true;
            moveEnd(scene, leader, delta);
            for (std::size_t i = 1; i < selection.size(); ++i) {
                const int d = clampEndDelta(scene, *selection[i], delta);
                if (d != 0) moveEnd(scene, *selection[i], d);
            }
        }
        const bool oneRow = selection.size() == 1 && scene.totalLength == lastFrame && !leader.layerRangeControl;
        panel.refreshView(oneRow ? leader.layer : -1);
    }
    showMoveTime();
}

void EditLayerObjectControl::moveSection(int& delta) {
    Edit::Scene& scene = panel.scene();
    const std::vector<Edit::ObjectPointer> selection = scene.selection.objects;
    const int k = hover.section;
    if (selection.size() != 1 || k < 1 || k > innerBoundaryCount(*selection.front())) {
        delta = 0;
        return;
    }
    Edit::Object& object = *selection.front();
    delta = sectionDeltaLimits(scene, object, k, boundarySide).clamp(delta);
    if (delta != 0) {
        const int lastFrame = scene.totalLength;
        {
            Edit::EditScope scope(*editService);
            scope.refreshTimeSetting = true;
            std::vector<int>& offsets = object.boundaries;
            if (boundarySide == 1) {
                object.start += delta;
                for (std::size_t i = static_cast<std::size_t>(k); i < offsets.size(); ++i) offsets[i] -= delta;
                markChanged(scene, object);
                scope.resortLayers = true;
            } else if (boundarySide == 2) {
                for (std::size_t i = static_cast<std::size_t>(k - 1); i < offsets.size(); ++i) offsets[i] += delta;
                object.end += delta;
                markChanged(scene, object);
                scope.resortLayers = true;
            } else {
                offsets[static_cast<std::size_t>(k - 1)] += delta;
            }
        }
        panel.refreshView(scene.totalLength == lastFrame && !object.layerRangeControl ? object.layer : -1);
    }
    showMoveTime();
}

void EditLayerObjectControl::notifyResize() {
    if (dragMode != DragStartEdge && dragMode != DragEndEdge) return;
    Edit::Scene& scene = panel.scene();
    const std::vector<Edit::ObjectPointer> selection = scene.selection.objects;
    if (selection.size() != pressEdges.size() || selection.empty()) return;
    Edit::EditScope scope(*editService);
    for (std::size_t i = 0; i < selection.size(); ++i) {
        const Edit::ObjectPointer& object = selection[i];
        if (!object->isInputObject() || object->effectList.empty()) continue;
        Effect::EffectEvent event;
        event.code = dragMode == DragStartEdge ? Effect::EffectEvent::StartMoved : Effect::EffectEvent::EndMoved;
        event.scope = &scope;
        event.object = object.get();
        event.effect = object->effectList.front();
        event.frame = pressEdges[i];
        event.effect->effectEvent(event);
    }
}

std::wstring EditLayerObjectControl::formatMoveTime(int frame, int start, int rate, int scale) {
    const double unit = rate > 0 ? static_cast<double>(scale) / rate : 0.0;
    wchar_t absolute[64];
    System::String::formatTimePrecise(absolute, static_cast<double>(frame) * unit);
    const double e = static_cast<double>(frame - start) * unit;
    const double magnitude = std::fabs(e);
    const int whole = static_cast<int>(magnitude);
    wchar_t relative[64];
    std::swprintf(relative, 64, L"%ls%02d:%02d.%02d", e < 0 ? L"-" : L"", whole / 60, whole % 60,
                  static_cast<int>(magnitude * 100) % 100);
    return std::wstring(absolute) + L" ( " + relative + L" )";
}

void EditLayerObjectControl::showMoveTime() {
    if (!panel.showMoveObjectTime || hover.kind == HitBody || !hover.object) return;
    const Edit::Scene& scene = panel.scene();
    const Edit::Object& object = *hover.object;
    int frame = object.start;
    if (hover.kind == HitSection) frame = boundaryFrame(object, hover.section);
    else if (hover.kind == HitEndEdge) frame = object.end + 1;
    const Platform::POINT origin = Platform::clientOrigin(window);
    const Platform::POINT point{origin.x + fullRect().x + view().xAt(frame),
                                origin.y + fullRect().y + (object.layer - panel.firstLayer() + 1) * panel.layout.layerHeight + 3};
    Window::ToolTips::show(point, formatMoveTime(frame, object.start, scene.videoRate, scene.videoScale), 0);
}

}  // namespace Component
