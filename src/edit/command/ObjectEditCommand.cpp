#include "edit/command/ObjectEditCommand.h"

#include "core/base/Log.h"
#include "edit/command/CommandSupport.h"
#include "edit/command/CommandTargets.h"
#include "edit/command/ObjectCopyList.h"
#include "edit/file/GroupIdMap.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effect/base/EffectEvent.h"

#include <algorithm>

namespace Edit::EditCommand {

using Undo::UndoService;

void deleteObject(EditService& service) {
    Scene& scene = *service.getCurrentScene();
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::deleteObject", "delete object num=%d", static_cast<int>(targets.size()));
    EditScope scope(service);
    scope.resortLayers = scope.refreshTimeSetting = scope.notifyObjectUpdate = true;
    scope.beginUndo();
    for (const ObjectPointer& object : targets) detachObject(service, scene, object);
    clearSelection(scene);
}

void splitObject(EditService& service, int frame) {
    Scene& scene = *service.getCurrentScene();
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::splitObject", "split object num=%d frame=%d",
                      static_cast<int>(targets.size()), frame);
    EditScope scope(service);
    scope.resortLayers = scope.refreshTimeSetting = scope.notifyObjectUpdate = true;
    scope.beginUndo();
    GroupIdMap leftGroups;
    GroupIdMap rightGroups;
    for (const ObjectPointer& object : targets) {
        const auto pieces = splitPieces(scene, scope, object, frame);
        if (!pieces) continue;
        const auto& [left, right] = *pieces;
        record(service, &UndoService::addObjectUndoCreate, left);
        record(service, &UndoService::addObjectUndoCreate, right);
        if (object->group) {
            record(service, &UndoService::addObjectUndoGroup, left);
            left->setGroup(leftGroups.groupOf(leftGroups.numberOf(object->group.get())));
            record(service, &UndoService::addObjectUndoGroup, right);
            right->setGroup(rightGroups.groupOf(rightGroups.numberOf(object->group.get())));
        }
        detachObject(service, scene, object);
        passFocus(scene, scope, object, right);
    }
}

void duplicateObject(EditService& service) {
    const Scene& scene = *service.getCurrentScene();
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::duplicateObject", "duplicate object num=%d",
                      static_cast<int>(targets.size()));
    ObjectCopyList copies;
    for (const ObjectPointer& object : targets) copies.addClone(*object);
    copies.calcExtent();
    int layerOffset = copies.extent.bottomLayer - copies.extent.topLayer;
    while (!copies.findFreeLayer(scene, 0, layerOffset)) {
    }
    copies.paste(service, layerOffset, 0, false);
}

namespace {

// The one target fit for separation, or empty.
ObjectPointer separableTarget(const Scene& scene) {
    const std::vector<ObjectPointer> targets = getTargets(scene);
    if (targets.size() != 1) return {};
    const ObjectPointer& object = targets.front();
    const auto& chain = object->effectList;
    if (chain.size() < 2) return {};
    const auto& input = *chain[0];
    if (input.effectType != Effect::EffectKind::Input || input.mediaType != Effect::MediaKind::VideoAudio ||
        chain[1]->mediaType != Effect::MediaKind::VideoAudio || input.getTrackCount(0) == 0)
        return {};
    return object;
}

}  // namespace

bool canSeparateAudioObject(EditService& service) {
    return static_cast<bool>(separableTarget(*service.getCurrentScene()));
}

void separateAudioObject(EditService& service) {
    Scene& scene = *service.getCurrentScene();
    const ObjectPointer source = separableTarget(scene);
    if (!source) return;
    System::Log::info("Edit::EditCommand::separateAudioObject", "separate audio layer=%d", source->layer);
    EditScope scope(service);
    scope.resortLayers = scope.rebuildSetting = scope.refreshTimeSetting = scope.refreshColorSetting =
        scope.refreshTextSetting = scope.notifyObjectUpdate = true;
    scope.targetObject = source;
    scope.beginUndo();
    const int tracks = std::max(source->effectList.front()->getTrackCount(1), 1);
    int layer = source->layer;
    for (int track = 0; track < tracks; ++track) {
        // Each track looks below the previous new object, so every layer
        // searched is still sorted.
        do ++layer;
        while (scene.getLayerObjectList(layer).findNearestObject(source->start, source->end));
        const ObjectPointer made = scene.createEmptyObject(layer, source->start, source->end);
        try {
            made->clipping = source->clipping;
            made->camera = source->camera;
            made->boundaries = source->boundaries;
            source->copyEffectList(*made);
            if (tracks > 1) {
                Effect::EffectEvent event;
                event.code = Effect::EffectEvent::AudioSplit;
                event.track = track;
                sendInputEvent(scope, *made, event);
            }
        } catch (...) {
            // Not recorded yet: it would stay on the timeline beyond undo.
            dropPiece(scene, made);
            throw;
        }
        record(service, &UndoService::addObjectUndoCreate, made);
        record(service, &UndoService::addObjectUndoEffect, made);
        replaceOutputEffect(*made, L"音声再生");
    }
    record(service, &UndoService::addObjectUndoEffect, source);
    replaceOutputEffect(*source, L"標準描画");
}

}  // namespace Edit::EditCommand
