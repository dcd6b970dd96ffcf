// Selecting objects with the mouse on the timeline and the preview.
#include "edit/service/EditService.h"

#include "core/event/EventService.h"

namespace Edit {

bool EditService::selectObject(const ObjectPointer& object, bool notify) {
    if (object->selected) return false;
    currentScene_->selectObject(object);
    if (notify && eventService) eventService->selectObjectChange.notify();
    return true;
}

void EditService::clickSelectObject(SelectControl& control, const ObjectPointer& object, bool withGroup) {
    if (withGroup) {
        if (!currentScene_->selectObjectWithGroup(object)) return;
        if (eventService) eventService->selectObjectChange.notify();
    } else if (!selectObject(object, true)) {
        return;
    }
    if (!control.gestureOwnerTag()) control.claimGesture(SelectControl::SelectGesture);
}

void EditService::clearSelectObject(SelectControl& control) {
    ObjectSelection& selection = currentScene_->selection;
    if (selection.objects.empty()) return;
    // A Ctrl-click or a drag on nothing keeps the selection for the
    // gesture that follows.
    const auto keepFor = [&](int tag) {
        const std::optional<int> owner = control.gestureOwnerTag();
        if (!owner) {
            control.claimGesture(tag);
            return true;
        }
        return *owner == tag;
    };
    if (control.isControlKeyDown() && keepFor(SelectControl::SelectGesture)) return;
    if (control.isMouseCaptured() && keepFor(SelectControl::DragGesture)) return;
    selection.clear();
    if (eventService) eventService->selectObjectChange.notify();
}

void EditService::setFocusObject(const ObjectPointer& object) {
    Scene& scene = *currentScene_;
    if (!scene.setFocusObject(object)) return;
    if (eventService) eventService->focusObjectChange.notify(scene.focusObject);
}

std::wstring EditService::getLayerName(int index) const { return currentScene_->getLayerName(index); }

}  // namespace Edit
