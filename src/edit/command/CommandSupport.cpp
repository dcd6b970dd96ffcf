#include "edit/command/CommandSupport.h"

#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/base/EffectEvent.h"
#include "effect/registry/EffectDefine.h"
#include "effect/registry/EffectService.h"

namespace Edit::EditCommand {

void record(EditService& service, void (Undo::UndoService::*add)(const ObjectPointer&),
            const ObjectPointer& object) {
    if (Undo::UndoService* undo = service.getUndoService()) (undo->*add)(object);
}

void clearSelection(Scene& scene) {
    if (!scene.selection.objects.empty()) scene.selection.clear();
}

void passFocus(Scene& scene, EditScope& scope, const ObjectPointer& from, const ObjectPointer& to) {
    if (scene.focusObject == from && scene.setFocusObject(to)) scope.notifyFocusChange = true;
}

void markMoved(Scene& scene, const Object& object) {
    if (object.layer < 0) return;
    LayerObjectList& list = scene.getLayerObjectListGrow(object.layer);
    list.sortNeeded = true;
    list.controlRangeNeeded |= object.isControlObject();
}

void detachObject(EditService& service, Scene& scene, const ObjectPointer& object) {
    record(service, &Undo::UndoService::addObjectUndoDelete, object);
    if (object->layer >= 0) {
        LayerObjectList& list = scene.getLayerObjectListGrow(object->layer);
        list.reindexNeeded = true;
        list.controlRangeNeeded |= object->isControlObject();
    }
    object->layer = -1;
}

void shiftObject(EditService& service, Scene& scene, const ObjectPointer& object, int shift) {
    record(service, &Undo::UndoService::addObjectUndoUpdate, object);
    object->start += shift;
    object->end += shift;
    markMoved(scene, *object);
}

void replaceOutputEffect(Object& object, const wchar_t* name) {
    Effect::EffectDefine& define = object.effectService->findEffect(name);
    EffectManager::EffectPointer& output = object.setOutputEffect(define);
    output->setItemData(define.getDefaultSetting());
    EffectManager::setEffectSectionNum(*output, object.getMidPointCount() + 1);
    object.adjustEffectList();
}

void dropPiece(Scene& scene, const ObjectPointer& piece) {
    if (piece->layer >= 0) scene.getLayerObjectListGrow(piece->layer).reindexNeeded = true;
    piece->layer = -1;
}

void sendInputEvent(EditScope& scope, Object& object, Effect::EffectEvent& event) {
    if (object.effectList.empty()) return;
    const EffectManager::EffectPointer& first = object.effectList.front();
    if (first->effectType != Effect::EffectKind::Input) return;
    event.scope = &scope;
    event.object = &object;
    event.effect = first;
    first->effectEvent(event);
}

namespace {

// A piece whose chain starts with an input hears which object it came from.
void sendPieceEvent(EditScope& scope, const ObjectPointer& piece, const ObjectPointer& source) {
    Effect::EffectEvent event;
    event.code = Effect::EffectEvent::ObjectSplit;
    event.previousObject = source.get();
    sendInputEvent(scope, *piece, event);
}

}  // namespace

std::optional<std::pair<ObjectPointer, ObjectPointer>> splitPieces(Scene& scene, EditScope& scope,
                                                                   const ObjectPointer& object,
                                                                   int frame) {
    if (!(object->start < frame && frame <= object->end) || object->layer < 0) return std::nullopt;
    const ObjectPointer left = scene.createEmptyObject(object->layer, object->start, object->end);
    const ObjectPointer right = scene.createEmptyObject(object->layer, object->start, object->end);
    try {
        if (!object->splitObject(frame, *left, *right, scene)) {
            dropPiece(scene, left);
            dropPiece(scene, right);
            return std::nullopt;
        }
        sendPieceEvent(scope, left, object);
        sendPieceEvent(scope, right, object);
    } catch (...) {
        dropPiece(scene, left);
        dropPiece(scene, right);
        throw;
    }
    return std::pair{left, right};
}

}  // namespace Edit::EditCommand
