#include "panels/timeline/EditLayerObjectControl.h"

#include "edit/service/EditService.h"
#include "panels/timeline/EditComponent.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowMouseService.h"

namespace Component {

void EditLayerObjectControl::HoverObject::clear() {
    if (!object) return;
    const int layer = object->layer;
    object.reset();
    kind = 0;
    section = -1;
    if (layer >= 0 && onChange) onChange(layer);
}

void EditLayerObjectControl::FocusMark::setObject(const std::shared_ptr<Edit::Object>& next) {
    if (next == object) return;
    if (!next) {
        const int layer = object->layer;
        object.reset();
        if (onChange) onChange(layer);
        return;
    }
    if (object && object->layer != next->layer) setObject(nullptr);
    object = next;
    if (onChange) onChange(object->layer);
}

EditLayerObjectControl::EditLayerObjectControl(EditComponent& panel, Window::WindowControl& parent, int left, int top,
                                               int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom), panel(panel) {
    acceptsContextMenu = true;
    acceptsRightButton = true;
    acceptsWheel = true;
    acceptsDrop = true;
    hover.onChange = [this](int layer) { repaintLayer(layer); };
    focusMark.onChange = [this](int layer) { repaintLayer(layer); };
    if (!eventService) return;
    eventService->focusObjectChange.add(eventKey(), [this](std::shared_ptr<Edit::Object>& object) {
        focusMark.setObject(object);
    });
    eventService->sceneChange.add(eventKey(), [this](int) {
        focusMark.object.reset();
        hover.object.reset();
        focusMark.setObject(this->panel.scene().focusObject);
    });
    eventService->preLoadComplete.add(eventKey(), [this] { procPaint(); });
    eventService->selectObjectChange.add(eventKey(), [this] { procPaint(); });
}

EditLayerObjectControl::~EditLayerObjectControl() = default;

ObjectAreaView EditLayerObjectControl::view() const {
    return {panel.firstFrame(), panel.firstLayer(), panel.zoom(), std::max(1, panel.layout.layerHeight)};
}

SnapTargets EditLayerObjectControl::snapTargets() const { return {&panel.scene(), view(), panel.tempoGrid != 0}; }

const Edit::ObjectPointer& EditLayerObjectControl::hitTestObject(int x, int y) const {
    return Component::hitTestObject(view(), panel.scene(), x, y);
}

EditLayerObjectControl::HitArea EditLayerObjectControl::hitTestArea(const Edit::Object& object, int x) const {
    return Component::hitTestArea(view(), object, isOnLockedLayer(panel.scene(), object), x);
}

void EditLayerObjectControl::procMouseWheel(int x, int y, int delta) { panel.wheelView(x, y, delta); }

bool EditLayerObjectControl::ctrlDown() const { return Platform::getKeyState(Platform::VK::CONTROL) < 0; }

bool EditLayerObjectControl::shiftDown() const { return Platform::getKeyState(Platform::VK::SHIFT) < 0; }

void EditLayerObjectControl::repaintLayer(int layer) {
    if (layer >= 0) paintLayer(layer);
}

void EditLayerObjectControl::registerCtrlWait() {
    if (service && !service->keyReleaseWaiter) service->setKeyReleaseWait(this, Platform::VK::CONTROL);
}

}  // namespace Component
