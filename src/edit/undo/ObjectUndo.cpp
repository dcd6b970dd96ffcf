#include "edit/undo/ObjectUndo.h"

#include "edit/model/Object.h"
#include "edit/scope/EditScope.h"
#include "effect/item/EffectItemInteger.h"

namespace Edit {

namespace {

// The layer list the object is on, or null when it is on none.
LayerObjectList* listOf(Scene& scene, const Object& object) {
    if (object.layer < 0 || object.layer >= scene.getLayerCount()) return nullptr;
    return &scene.getLayerObjectListGrow(object.layer);
}

const std::vector<int>& listOrEmpty(const std::unique_ptr<std::vector<int>>& list) {
    static const std::vector<int> empty;
    return list ? *list : empty;
}

}  // namespace

void ObjectUndoUpdate::capture(const Object& object) {
    layer = object.layer;
    start = object.start;
    end = object.end;
    boundaries = object.boundaries.empty() ? nullptr : std::make_unique<std::vector<int>>(object.boundaries);
}

bool ObjectUndoUpdate::isChange(ObjectUndoUpdate& before, ObjectUndoUpdate& after) {
    const bool listsDiffer = listOrEmpty(before.boundaries) != listOrEmpty(after.boundaries);
    before.boundariesChanged = after.boundariesChanged = listsDiffer;
    if (!listsDiffer) {
        before.boundaries.reset();
        after.boundaries.reset();
    }
    return listsDiffer || before.layer != after.layer || before.start != after.start || before.end != after.end;
}

void ObjectUndoUpdate::restore(const std::shared_ptr<Object>& object, EditScope& scope) const {
    Scene& scene = *scope.scene;
    object->start = start;
    object->end = end;
    if (LayerObjectList* list = listOf(scene, *object)) {
        list->sortNeeded = true;
        list->controlRangeNeeded |= object->isControlObject();
    }
    if (object->layer != layer && layer >= 0) scene.moveObjectLayer(object, layer);
    if (boundariesChanged) object->boundaries = listOrEmpty(boundaries);
    scope.resortLayers = scope.clearSettingSection = scope.refreshTimeSetting = true;
}

void ObjectUndoCreateDelete::capture(const Object& object) { layer = object.layer; }

bool ObjectUndoCreateDelete::isChange(ObjectUndoCreateDelete& before, ObjectUndoCreateDelete& after) {
    return before.layer != after.layer;
}

void ObjectUndoCreateDelete::restore(const std::shared_ptr<Object>& object, EditScope& scope) const {
    Scene& scene = *scope.scene;
    if (layer >= 0) {
        // Already there: putting it back again would list it twice.
        if (object->layer != layer) scene.moveObjectLayer(object, layer);
    } else if (LayerObjectList* list = listOf(scene, *object)) {
        list->reindexNeeded = true;
        list->controlRangeNeeded |= object->isControlObject();
        object->layer = -1;
    } else {
        object->layer = -1;
    }
    scope.resortLayers = true;
}

void ObjectUndoSection::capture(const Object& object) { boundaries = object.boundaries; }

bool ObjectUndoSection::isChange(ObjectUndoSection& before, ObjectUndoSection& after) {
    return before.boundaries != after.boundaries;
}

void ObjectUndoSection::restore(const std::shared_ptr<Object>& object, EditScope& scope) const {
    object->boundaries = boundaries;
    scope.clearSettingSection = scope.refreshTimeSetting = true;
}

void ObjectUndoGroup::capture(const Object& object) { group = object.group; }

bool ObjectUndoGroup::isChange(ObjectUndoGroup& before, ObjectUndoGroup& after) {
    return before.group != after.group;
}

void ObjectUndoGroup::restore(const std::shared_ptr<Object>& object, EditScope&) const {
    object->releaseGroup();
    if (group) object->setGroup(group);
}

void ObjectUndoEffect::capture(const Object& object) { effects = object.effectList; }

bool ObjectUndoEffect::isChange(ObjectUndoEffect& before, ObjectUndoEffect& after) {
    return before.effects != after.effects;
}

namespace {
void setChainFlags(EditScope& scope) {
    scope.rebuildSetting = scope.refreshTimeSetting = scope.refreshColorSetting = scope.refreshTextSetting = true;
}
}  // namespace

void ObjectUndoEffect::restore(const std::shared_ptr<Object>& object, EditScope& scope) const {
    object->effectList = effects;
    // A replaced first effect may govern other layers than the one restored.
    object->updateLayerRangeControl();
    if (LayerObjectList* list = listOf(*scope.scene, *object)) list->controlRangeNeeded = true;
    scope.resortLayers = true;
    setChainFlags(scope);
}

void ObjectUndoFlag::capture(const Object& object) {
    clipping = object.clipping;
    camera = object.camera ? 1 : 0;
}

bool ObjectUndoFlag::isChange(ObjectUndoFlag& before, ObjectUndoFlag& after) {
    return before.clipping != after.clipping || before.camera != after.camera;
}

void ObjectUndoFlag::restore(const std::shared_ptr<Object>& object, EditScope& scope) const {
    object->clipping = clipping;
    object->camera = camera != 0;
    setChainFlags(scope);
}

void ObjectUndoLayerRange::capture(const Object& object) {
    range = object.effectList.empty() ? 0 : object.effectList.front()->getLayerRange();
}

bool ObjectUndoLayerRange::isChange(ObjectUndoLayerRange& before, ObjectUndoLayerRange& after) {
    return before.range != after.range;
}

void ObjectUndoLayerRange::restore(const std::shared_ptr<Object>& object, EditScope& scope) const {
    if (LayerObjectList* list = listOf(*scope.scene, *object)) list->controlRangeNeeded = true;
    if (!object->effectList.empty()) {
        for (Effect::EffectItem* item : object->effectList.front()->items) {
            if (item->type != Effect::ItemType::LayerRange) continue;
            if (auto* layerRange = dynamic_cast<Effect::EffectItemInteger*>(item)) layerRange->value = range;
            break;
        }
    }
    scope.resortLayers = true;
    setChainFlags(scope);
}

}  // namespace Edit
