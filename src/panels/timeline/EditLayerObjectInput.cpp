// Pointer input of the object area: hovering, presses and their drag modes,
// drag steps and keys, the rubber band, the pan, and the end of a press.
#include "panels/timeline/EditLayerObjectControl.h"

#include "core/event/MessageBox.h"
#include "edit/service/EditService.h"
#include "panels/timeline/EditComponent.h"
#include "platform/gtk/VirtualKeys.h"
#include "window/ToolTips.h"
#include "window/WindowMouseService.h"

#include <algorithm>
#include <exception>

namespace Component {

namespace {

using Cursor = Window::WindowMouseService;

// A drag step that failed: the drag ends with what was done so far as its
// undo step, and the user sees why.
template <class Step>
void guardStep(Window::WindowMouseService* service, Step step) {
    try {
        step();
    } catch (const std::exception& e) {
        if (service) service->cancelDrag();
        Dialog::showException(e);
    }
}

}  // namespace

void EditLayerObjectControl::procMouseMove(int x, int y) {
    const Edit::ObjectPointer object = hitTestObject(x, y);
    if (!object) {
        hover.clear();
        return;
    }
    const HitArea area = hitTestArea(*object, x);
    if (object != hover.object || area.kind != hover.kind || area.section != hover.section) {
        if (hover.object && hover.object != object && hover.object->layer != object->layer) hover.clear();
        hover.object = object;
        hover.kind = area.kind;
        hover.section = area.section;
        if (hover.onChange) hover.onChange(object->layer);
    }
    if (service && hover.kind != HitBody && !ctrlDown()) service->currentCursor = Cursor::cursor(Cursor::CursorSizeWE);
}

void EditLayerObjectControl::procMouseLeave() { hover.clear(); }

void EditLayerObjectControl::procLButtonDown(int x, int y) {
    Edit::Scene& scene = panel.scene();
    const bool ctrl = ctrlDown();
    const bool twice = service && service->doubleClick;
    const Edit::ObjectPointer hovered = hover.object;
    if (hovered && hovered->layer >= 0) {
        if (!ctrl) {
            if (!twice || hovered != scene.focusObject) {
                if (editService->singleClickFocusLayerObject ? !twice : twice) editService->setFocusObject(hovered);
            } else if (eventService) {
                eventService->focusObjectChange.notify(scene.focusObject);
            }
        } else if (twice && hover.kind <= HitEndEdge) {
            const Edit::LayerObjectList& list = scene.getLayerObjectList(hovered->layer);
            const auto at = std::find(list.objects.begin(), list.objects.end(), hovered);
            auto from = list.objects.begin();
            auto to = list.objects.end();
            if (hover.kind == HitStartEdge) to = at;
            if (hover.kind == HitEndEdge) from = at == to ? to : at + 1;
            // Copied: selecting must not see the list change under it.
            const std::vector<Edit::ObjectPointer> objects(from, to);
            for (const Edit::ObjectPointer& object : objects) scene.selectObjectWithGroup(object);
            if (!scene.selection.objects.empty()) {
                registerCtrlWait();
                if (eventService) eventService->selectObjectChange.notify();
            }
        }

        if (!ctrl && hover.kind != HitBody) {
            if (service) service->startDrag(0, 0, Cursor::cursor(Cursor::CursorSizeWE));
            int mode = DragSection;
            if (hover.kind == HitStartEdge || hover.kind == HitEndEdge) {
                selectEdgeObjects();
                mode = hover.kind == HitStartEdge ? DragStartEdge : DragEndEdge;
            } else {
                editService->selectObject(hovered, true);
            }
            startDrag(mode, x, y, scene.selection.objects);
            repaintLayer(hovered->layer);
        } else {
            if (service) service->startDrag(0, 0, Cursor::cursor(Cursor::CursorArrow));
            // A click on an object already selected may take it out again
            // when the button comes up without a drag.
            if (hovered->selected) scene.selection.clickedAgain = hovered.get();
            editService->clickSelectObject(selectControl, hovered, editService->clickLayerObjectSelectGroup != 0);
            startDrag(DragMove, x, y, scene.selection.objects);
        }
        return;
    }
    if (ctrl) {
        if (service) service->startDrag(0, 0, Cursor::cursor(Cursor::CursorArrow));
        registerCtrlWait();
        originX = x0 = x1 = x;
        originY = y0 = y1 = y;
        dx = dy = 0;
        setDragMode(DragRubberBand, x, y);
        return;
    }
    if (y < 0 && twice && !shiftDown() && scene.selectStartFrame >= 0 && scene.selectEndFrame >= 0) {
        scene.selectStartFrame = scene.selectEndFrame = -1;
        panel.timeGauge.procPaint();
        if (eventService) eventService->frameRangeSelect.notify(-1, -1);
        return;
    }
    if (service) service->startDrag(0, 0, Cursor::cursor(Cursor::CursorArrow));
    setDragMode(DragCursor, x, y);
    panel.setCursorFromPoint(x);
}

void EditLayerObjectControl::procRButtonDown(int x, int y) {
    if (service) service->startDrag(x, y, Cursor::cursor(Cursor::CursorSizeAll));
    setDragMode(DragPan, x, y);
}

void EditLayerObjectControl::setDragMode(int mode, int x, int y) {
    dragMode = mode;
    boundarySide = 0;
    pressFirstLayer = panel.firstLayer();
    pressFirstFrame = panel.firstFrame();
    const ObjectAreaView v = view();
    pressLayer = dragLayer = v.layerAt(y);
    pressFrame = dragFrame = v.frameAt(x);
    if (mode >= DragStartEdge && mode <= DragSection) showMoveTime();
}

void EditLayerObjectControl::startDrag(int mode, int x, int y, const std::vector<Edit::ObjectPointer>& objects) {
    setDragMode(mode, x, y);
    if (mode >= DragMove && mode <= DragSection) {
        undoService->beginUndoGroup();
        for (const Edit::ObjectPointer& object : objects) undoService->addObjectUndoUpdate(object);
    }
    dragExtent = DragExtent::of(objects);
    if (mode == DragSection && shiftDown() && hover.object && hover.section >= 0)
        boundarySide = x < view().xAt(boundaryFrame(*hover.object, hover.section)) ? 1 : 2;
    pressEdges.clear();
    if (mode == DragStartEdge || mode == DragEndEdge)
        for (const Edit::ObjectPointer& object : objects)
            pressEdges.push_back(mode == DragStartEdge ? object->start : object->end);
}

void EditLayerObjectControl::selectEdgeObjects() {
    Edit::Scene& scene = panel.scene();
    if (!scene.selection.objects.empty() || !hover.object) return;
    const Edit::ObjectPointer hovered = hover.object;
    editService->selectObject(hovered, false);
    if (hovered->group) {
        const bool anyFrame = shiftDown();
        for (const Edit::ObjectPointer& member : hovered->group->getObjectList(scene)) {
            if (member->selected || isOnLockedLayer(scene, *member)) continue;
            const bool sameEdge = hover.kind == HitStartEdge ? member->start == hovered->start
                                                             : member->end == hovered->end;
            if (anyFrame || sameEdge) editService->selectObject(member, false);
        }
    }
    if (!scene.selection.objects.empty() && eventService) eventService->selectObjectChange.notify();
}

void EditLayerObjectControl::procMouseDrag(int x, int y) {
    Edit::Scene& scene = panel.scene();
    switch (dragMode) {
    case DragMove:
        if (scene.selection.objects.empty()) {
            if (service) service->currentCursor = Cursor::cursor(Cursor::CursorNo);
            return;
        }
        guardStep(service, [&] { dragMove(x, y); });
        return;
    case DragStartEdge:
    case DragEndEdge:
    case DragSection:
        guardStep(service, [&] {
            int delta = snapDelta(view().frameAt(x) - dragFrame);
            if (dragMode == DragStartEdge) resizeStart(delta);
            else if (dragMode == DragEndEdge) resizeEnd(delta);
            else moveSection(delta);
            dragFrame += delta;
        });
        return;
    case DragCursor:
        panel.setCursorFromPoint(x);
        return;
    case DragRubberBand:
        dx = x - originX;
        dy = y - originY;
        x0 = std::min(originX, x);
        x1 = std::max(originX, x);
        y0 = std::min(originY, y);
        y1 = std::max(originY, y);
        selectRectangleObjects();
        return;
    case DragPan: {
        const int height = std::max(1, panel.layout.layerHeight);
        const int layer =
            std::clamp(pressFirstLayer - y / height, 0, std::max(0, panel.layerRange - panel.visibleLayers));
        const int frame = std::clamp(pressFirstFrame - static_cast<int>(static_cast<long long>(x) * 10000 / panel.zoom()),
                                     0, std::max(0, panel.frameRange - panel.visibleFrames));
        panel.scrollTo(layer, frame, scene.cursorFrame);
        return;
    }
    default:
        return;
    }
}

bool EditLayerObjectControl::procDragKey(int virtualKey) {
    int delta = 0;
    if (virtualKey == Platform::VK::LEFT) delta = -1;
    else if (virtualKey == Platform::VK::RIGHT) delta = 1;
    else return false;
    if (dragMode < DragMove || dragMode > DragSection) return false;
    guardStep(service, [&] {
        if (dragMode == DragMove) {
            int layerDelta = 0;
            moveObjects(layerDelta, delta);
        } else if (dragMode == DragStartEdge) {
            resizeStart(delta);
        } else if (dragMode == DragEndEdge) {
            resizeEnd(delta);
        } else {
            moveSection(delta);
        }
        dragFrame += delta;
    });
    return true;
}

void EditLayerObjectControl::selectRectangleObjects() {
    Edit::Scene& scene = panel.scene();
    const ObjectAreaView v = view();
    const int height = std::max(1, panel.layout.layerHeight);
    const int firstLayer = v.firstLayer + std::max(y0, 0) / height;
    const int lastLayer = v.firstLayer + std::min(y1, fullRect().height) / height;
    const int firstFrame = v.frameAt(std::max(x0, 0));
    const int lastFrame = v.frameAt(std::min(x1, fullRect().width));
    for (int layer = firstLayer; layer <= lastLayer; ++layer) {
        const Edit::LayerObjectList& list = scene.getLayerObjectList(layer);
        const std::vector<Edit::ObjectPointer> objects(list.lowerBoundByEndFrame(firstFrame), list.objects.end());
        for (const Edit::ObjectPointer& object : objects) {
            if (object->start > lastFrame) break;
            if (!object->selected) editService->selectObject(object, false);
        }
    }
    if (eventService) eventService->selectObjectChange.notify();
}

namespace {

void selectWhere(Edit::EditService& edit, const std::function<bool(const Edit::Object&)>& take) {
    Edit::Scene& scene = *edit.getCurrentScene();
    for (int layer = 0; layer <= scene.lastLayer; ++layer) {
        const std::vector<Edit::ObjectPointer> objects = scene.getLayerObjectList(layer).objects;
        for (const Edit::ObjectPointer& object : objects)
            if (!object->selected && !isOnLockedLayer(scene, *object) && take(*object)) edit.selectObject(object, false);
    }
}

}  // namespace

void EditLayerObjectControl::selectAllObjects() {
    selectWhere(*editService, [](const Edit::Object&) { return true; });
    if (panel.scene().selection.objects.empty()) return;
    registerCtrlWait();
    if (eventService) eventService->selectObjectChange.notify();
}

void EditLayerObjectControl::selectObjectsFromCursor() {
    const int cursor = panel.scene().cursorFrame;
    selectWhere(*editService, [cursor](const Edit::Object& object) { return object.start >= cursor; });
    if (panel.scene().selection.objects.empty()) return;
    registerCtrlWait();
    if (eventService) eventService->selectObjectChange.notify();
}

void EditLayerObjectControl::selectObjectsToCursor() {
    const int cursor = panel.scene().cursorFrame;
    selectWhere(*editService, [cursor](const Edit::Object& object) { return object.end <= cursor; });
    if (panel.scene().selection.objects.empty()) return;
    registerCtrlWait();
    if (eventService) eventService->selectObjectChange.notify();
}

void EditLayerObjectControl::procCaptureLost() {
    endDrag(true);
    finishDrag();
}

void EditLayerObjectControl::procDragCancel() {
    endDrag(false);
    finishDrag();
}

void EditLayerObjectControl::procKeyUp() { endDrag(true); }

void EditLayerObjectControl::endDrag(bool release) {
    Edit::Scene& scene = panel.scene();
    bool full = false;
    if (x1 != x0 && y1 != y0) {
        x0 = y0 = x1 = y1 = originX = originY = dx = dy = 0;
        full = true;
    }
    bool dragged = false;
    if (dragMode >= DragMove && dragMode <= DragSection) {
        dragged = !service || service->dragMoved;
        Edit::ObjectSelection& selection = scene.selection;
        if (!dragged && selection.clickedAgain) {
            full = true;
            const auto it = std::find_if(selection.objects.begin(), selection.objects.end(),
                                         [&](const Edit::ObjectPointer& o) { return o.get() == selection.clickedAgain; });
            if (it != selection.objects.end()) {
                (*it)->selected = false;
                selection.objects.erase(it);
            }
            selection.clickedAgain = nullptr;
        }
        finishDrag();
    }
    if (release) editService->clearSelectObject(selectControl);
    if (dragged && eventService) {
        std::shared_ptr<Edit::Object> none;
        eventService->objectUpdate.notify(none);
    }
    if (full) panel.refreshView(-1);
}

void EditLayerObjectControl::finishDrag() {
    const int mode = dragMode;
    dragMode = DragNone;
    try {
        if (mode == DragStartEdge || mode == DragEndEdge) {
            dragMode = mode;
            notifyResize();
            dragMode = DragNone;
        }
    } catch (const std::exception& e) {
        dragMode = DragNone;
        Dialog::showException(e);
    }
    if (mode >= DragMove && mode <= DragSection) {
        try {
            undoService->commitUndoGroup();
        } catch (const std::exception& e) {
            Dialog::showException(e);
        }
    }
    pressEdges.clear();
    if (Window::ToolTips::shown) Window::ToolTips::hide();
}

}  // namespace Component
