// Layout, hit tests, hover and the drag of the handles on the picture.
#include "panels/anchor/AnchorControl.h"

#include "core/event/MessageBox.h"
#include "edit/model/Scene.h"
#include "edit/scope/EditScope.h"
#include "effect/base/EffectBase.h"
#include "panels/anchor/AnchorLayout.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowMouseService.h"

#include <algorithm>
#include <cmath>

namespace Anchor {

std::function<int()> AnchorControl::getSectionViewMode;

namespace {

bool keyHeld(int key) { return Platform::getKeyState(key) < 0; }

}  // namespace

AnchorEvent makeAnchorEvent(AnchorControlData& control, const AnchorItem& item, std::int32_t kind) {
    AnchorEvent event;
    event.control = &control;
    event.object = item.object;
    event.effect = item.effect;
    event.index = item.index;
    event.flags = item.flags;
    event.kind = kind;
    if (kind == AnchorEvent::Drag || kind == AnchorEvent::RightDrag) {
        event.matrix = item.matrix;
        event.payload = item.payload;
        event.label = item.label;
        event.tag = item.tag;
    }
    return event;
}

AnchorControl::AnchorControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(owner, left, top, right, bottom) {
    isKeyHeld = keyHeld;
    isDoubleClick = [this] { return service && service->doubleClick; };
    reportFailure = [](const std::exception& e) { Dialog::showException(e); };
}

AnchorControl::AnchorControl(Window::WindowControl& parent, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom) {
    isKeyHeld = keyHeld;
    isDoubleClick = [this] { return service && service->doubleClick; };
    reportFailure = [](const std::exception& e) { Dialog::showException(e); };
}

AnchorControl::~AnchorControl() = default;

bool AnchorControl::isControlKeyDown() const { return isKeyHeld && isKeyHeld(Platform::VK::CONTROL); }

bool AnchorControl::isMouseCaptured() const { return captured || dragMode != NoDrag; }

void AnchorControl::setItems(std::vector<AnchorItem> list) {
    // The hovered anchor is looked up again by the layout.
    hovered = nullptr;
    items = std::move(list);
    layoutAnchors();
}

void AnchorControl::layoutAnchors() {
    hitList.clear();
    snapTargets.clear();
    const bool hadHover = hoveredEffect != nullptr;
    hovered = nullptr;
    float dockTop = std::max(pictureRect.top, 0.0f);
    const float controlWidth = static_cast<float>(fullRect().width);
    for (AnchorItem& item : items) {
        if (item.flags & AnchorItem::Docked) layoutDocked(item, pictureRect, controlWidth, dockTop);
        else layoutItem(item, pictureRect);
        if (item.effect) hitList.push_back(&item);
        if (item.flags & AnchorItem::SnapSource)
            for (const Float2& p : item.snapPoints) snapTargets.push_back({item.object.get(), p.x, p.y});
    }
    snapTargets.push_back({nullptr, 1.0f, 1.0f});
    snapTargets.push_back({nullptr, -1.0f, -1.0f});
    if (!hadHover) return;
    for (AnchorItem* item : hitList) {
        if (item->effect == hoveredEffect && item->index == hoveredIndex && item->flags == hoveredFlags) {
            hovered = item;
            return;
        }
    }
    hoveredEffect.reset();
}

AnchorItem* AnchorControl::hitTestAnchor(int x, int y) {
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    const Edit::Object* focus = nullptr;
    if (editService && editService->getCurrentScene()) focus = editService->getCurrentScene()->focusObject.get();
    AnchorItem* best = nullptr;
    for (AnchorItem* item : hitList) {
        if ((item->flags & AnchorItem::NotHit) || !hitsAnchor(*item, px, py)) continue;
        if (!best || hitPrecedes(*item, *best, px, py, focus)) best = item;
    }
    return best;
}

AnchorItem* AnchorControl::findCameraView() {
    for (AnchorItem* item : hitList)
        if (item->type == AnchorItem::CameraView) return item;
    return nullptr;
}

AnchorItem* AnchorControl::findAnchor(const Edit::Object* object, const Effect::EffectBase* effect, int index) {
    for (AnchorItem* item : hitList)
        if (item->object.get() == object && item->effect.get() == effect && item->index == index) return item;
    return nullptr;
}

bool AnchorControl::setHovered(AnchorItem* item) {
    if (item == hovered) return false;
    hovered = item;
    if (item) {
        hoveredEffect = item->effect;
        hoveredIndex = item->index;
        hoveredFlags = item->flags;
    } else {
        hoveredEffect.reset();
        hoveredIndex = 0;
        hoveredFlags = 0;
    }
    return true;
}

void AnchorControl::startMouseDrag(int x, int y, bool sizeAll) {
    if (!service) return;
    service->startDrag(x, y,
                       sizeAll ? Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSizeAll)
                               : service->currentCursor);
}

void AnchorControl::sendClick(const AnchorItem& item, std::int32_t kind, bool& handled) {
    AnchorEvent event = makeAnchorEvent(*this, item, kind);
    handled = item.effect && item.effect->anchorEvent(event);
}

void AnchorControl::addDragRecord(const AnchorItem& item, std::int32_t kind) {
    dragRecords.push_back(makeAnchorEvent(*this, item, kind));
    if (undoService && item.effect) undoService->addEffectUndoUpdate(item.effect);
}

void AnchorControl::beginUndoGroup() {
    if (undoService) undoService->beginUndoGroup();
}

void AnchorControl::beginAnchorDrag(int x, int y, int button, AnchorItem* item) {
    if (dragMode != NoDrag) return;
    dragX = dragY = 0;
    if (!item) {
        startMouseDrag(x, y, false);
        return;
    }
    // The records copy what they need: the item may go with the next list.
    const AnchorItem pressed = *item;
    if (button == RightButton) {
        startMouseDrag(x, y, true);
        dragMode = RightDragMode;
        beginUndoGroup();
        addDragRecord(pressed, AnchorEvent::RightDrag);
        return;
    }

    bool handled = false;
    if (pressed.flags & AnchorItem::ClickOnly) {
        sendClick(pressed, AnchorEvent::Click, handled);
        return;
    }
    const bool doubleClick = isDoubleClick && isDoubleClick();
    if (editService && !isControlKeyDown() && pressed.object) {
        const bool single = editService->singleClickFocusAnchorObject != 0;
        if (single != doubleClick) editService->setFocusObject(pressed.object);
    }
    if (doubleClick) {
        sendClick(pressed, AnchorEvent::DoubleClick, handled);
        if (handled) return;
    }
    if ((pressed.flags & AnchorItem::SelectObject) && pressed.object && editService)
        editService->clickSelectObject(*this, pressed.object, editService->clickAnchorObjectSelectGroup != 0);
    sendClick(pressed, AnchorEvent::Click, handled);
    startMouseDrag(x, y, true);

    const Edit::Scene* scene = editService ? editService->getCurrentScene().get() : nullptr;
    if ((pressed.flags & AnchorItem::SelectObject) && scene && !scene->selection.objects.empty()) {
        std::vector<const AnchorItem*> dragged;
        for (const AnchorItem* candidate : hitList)
            if ((candidate->flags & AnchorItem::SelectObject) && candidate->index == AnchorIndex::AllSections &&
                candidate->object && candidate->object->selected)
                dragged.push_back(candidate);
        if (dragged.empty()) return;
        dragMode = LeftDrag;
        beginUndoGroup();
        for (const AnchorItem* candidate : dragged) addDragRecord(*candidate, AnchorEvent::Drag);
        return;
    }
    dragMode = LeftDrag;
    beginUndoGroup();
    addDragRecord(pressed, AnchorEvent::Drag);
    // A size corner of an output effect changes the object's source too.
    if ((pressed.flags & AnchorItem::ResizeSize) && pressed.effect &&
        pressed.effect->effectType == Effect::EffectKind::Output && pressed.object &&
        !pressed.object->effectList.empty() && undoService)
        undoService->addEffectUndoUpdate(pressed.object->effectList.front());
}

void AnchorControl::moveAnchorDrag(int x, int y) {
    if (dragMode == NoDrag) return;
    dragX = x;
    dragY = y;
    int lockedX = x, lockedY = y;
    if (isKeyHeld && isKeyHeld(Platform::VK::SHIFT)) {
        if (std::abs(x) < std::abs(y)) lockedX = 0;
        else lockedY = 0;
    }
    bool refused = false;
    try {
        Edit::EditScope scope(*editService);
        scope.refreshSetting = scope.refreshTimeSetting = scope.refreshColorSetting = true;
        scope.notifyObjectUpdate = true;
        for (AnchorEvent& record : dragRecords) {
            const bool raw = record.flags & AnchorItem::RawDrag;
            const int ox = raw ? x : lockedX, oy = raw ? y : lockedY;
            record.dx = ox - record.x;
            record.dy = oy - record.y;
            record.x = ox;
            record.y = oy;
            record.refused = false;
            if (record.effect) record.effect->anchorEvent(record);
            refused = refused || record.refused;
        }
        showRefusal(refused);
    } catch (const std::exception& e) {
        failDrag(e);
    }
}

void AnchorControl::showRefusal(bool refused) {
    if (!service || dragMode == NoDrag) return;
    using Mouse = Window::WindowMouseService;
    Mouse::MouseCursor* wanted = Mouse::cursor(refused ? Mouse::CursorNo : Mouse::CursorSizeAll);
    if (service->currentCursor == wanted) return;
    service->currentCursor = wanted;
    service->updateWindowCursor();
}

void AnchorControl::failDrag(const std::exception& e) {
    endAnchorDrag();
    if (reportFailure) reportFailure(e);
}

void AnchorControl::endAnchorDrag() {
    if (dragMode == NoDrag) return;
    dragRecords.clear();
    dragMode = NoDrag;
    if (undoService) undoService->commitUndoGroup();
}

}  // namespace Anchor
