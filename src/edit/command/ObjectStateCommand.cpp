#include "edit/command/ObjectStateCommand.h"

#include "core/base/Log.h"
#include "core/event/DialogSeam.h"
#include "edit/command/CommandSupport.h"
#include "edit/command/CommandTargets.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/item/EffectItemInteger.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/movement/MovementBase.h"
#include "effect/registry/EffectTranslate.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace Edit::EditCommand {

namespace {

using Undo::UndoService;

void recordEffect(EditService& edit, const EffectManager::EffectPointer& effect) {
    if (UndoService* undo = edit.getUndoService()) undo->addEffectUndoUpdate(effect);
}

// The flags of the enable and lock switches.
void setSwitchFlags(EditScope& scope) {
    scope.refreshSetting = true;
    scope.refreshTimeSetting = true;
    scope.refreshColorSetting = true;
    scope.notifyObjectUpdate = true;
}

// The click form: all targets with Ctrl on one of them, else the object.
std::vector<ObjectPointer> clickTargets(EditService& edit, const ObjectPointer& object, bool ctrl) {
    if (!object) return {};
    std::vector<ObjectPointer> targets = getTargets(*edit.getCurrentScene());
    if (ctrl && std::find(targets.begin(), targets.end(), object) != targets.end()) return targets;
    return {object};
}

void setLayerRange(Effect::EffectBase& effect, int range) {
    for (Effect::EffectItem* item : effect.items) {
        if (item->type != Effect::ItemType::LayerRange) continue;
        if (auto* layerRange = dynamic_cast<Effect::EffectItemInteger*>(item)) layerRange->value = range;
        return;
    }
}

// Logs "<what> enable=%d" and stores the switch; no undo.
void setViewSwitch(EditService& edit, const char* tag, const char* what, PreviewSwitch which, bool enable) {
    System::Log::info(tag, "%s enable=%d", what, enable ? 1 : 0);
    EditScope scope(edit);
    scope.notifyObjectUpdate = true;
    scope.refreshTimeSetting = true;
    if (which == PreviewSwitch::VisibleClippingObject) edit.visibleClippingObject = enable;
    if (edit.hooks.setPreviewSwitch) edit.hooks.setPreviewSwitch(which, enable);
}

}  // namespace

void setGroup(EditService& edit) {
    Scene& current = *edit.getCurrentScene();
    if (current.selection.objects.size() < 2) return;
    System::Log::info("Edit::EditCommand::setGroup", "set group object num=%d",
                      static_cast<int>(current.selection.objects.size()));
    EditScope scope(edit);
    scope.beginUndo();
    const auto group = std::make_shared<Group>();
    for (const ObjectPointer& object : scope.scene->selection.objects) {
        record(edit, &UndoService::addObjectUndoGroup, object);
        object->setGroup(group);
    }
}

void clearGroup(EditService& edit) {
    const std::vector<ObjectPointer> targets = getTargets(*edit.getCurrentScene());
    System::Log::info("Edit::EditCommand::clearGroup", "%s", "clear group object");
    EditScope scope(edit);
    scope.beginUndo();
    for (const ObjectPointer& object : targets) {
        record(edit, &UndoService::addObjectUndoGroup, object);
        object->releaseGroup();
    }
}

void setEnableObject(EditService& edit, const std::vector<ObjectPointer>& objects, bool enable) {
    if (objects.empty()) return;
    System::Log::info("Edit::EditCommand::setEnableObject", "set enable effect num=%d enable=%d",
                      static_cast<int>(objects.size()), enable ? 1 : 0);
    EditScope scope(edit);
    setSwitchFlags(scope);
    scope.beginUndo();
    for (const ObjectPointer& object : objects) {
        for (const EffectManager::EffectPointer& effect : object->effectList) {
            recordEffect(edit, effect);
            effect->disable = !enable;
            // A filter object is switched as a whole, any other by its first.
            if (!object->isFilterObject()) break;
        }
    }
}

void setEnableClickObject(EditService& edit, const ObjectPointer& object, bool enable, bool ctrl) {
    setEnableObject(edit, clickTargets(edit, object, ctrl), enable);
}

void setLockObject(EditService& edit, const std::vector<ObjectPointer>& objects, bool lock) {
    if (objects.empty()) return;
    System::Log::info("Edit::EditCommand::setLockObject", "set lock effect num=%d lock=%d",
                      static_cast<int>(objects.size()), lock ? 1 : 0);
    EditScope scope(edit);
    setSwitchFlags(scope);
    scope.beginUndo();
    for (const ObjectPointer& object : objects) {
        for (const EffectManager::EffectPointer& effect : object->effectList) {
            recordEffect(edit, effect);
            effect->lock = lock;
        }
    }
}

void setLockClickObject(EditService& edit, const ObjectPointer& object, bool lock, bool ctrl) {
    setLockObject(edit, clickTargets(edit, object, ctrl), lock);
}

void setMovementSettings(EditService& edit, const ObjectPointer& object, Effect::EffectItemNumber& item,
                         const std::vector<double>& params) {
    System::Log::info("Edit::EditCommand::setMovementSettings", "set movement settings layer=%d frame=%d",
                      object->layer, object->start);
    EditScope scope(edit);
    scope.refreshTimeSetting = true;
    scope.notifyObjectUpdate = true;
    scope.targetObject = object;
    scope.beginUndo();
    record(edit, &UndoService::addObjectUndoSection, object);
    if (item.group && item.group->linked) {
        for (Effect::EffectItemNumber* member : item.group->members)
            if (&member->params != &params) member->params = params;
    } else if (&item.params != &params) {
        item.params = params;
    }
}

void inputMovementSettings(EditService& edit, const ObjectPointer& object, Effect::EffectItemNumber& item) {
    std::vector<double> params = item.getMovementParams();
    // A movement without parameters has nothing to ask.
    if (params.empty()) return;
    const std::wstring title = Effect::translateEffectText(item.movement->name ? item.movement->name : L"");
    const double first = std::isfinite(params.front()) ? params.front() : 0.0;
    int value = static_cast<int>(std::clamp(first, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
    if (!Dialog::inputNumber(title, L"設定値", value, INT_MIN, INT_MAX)) return;
    params.front() = value;
    setMovementSettings(edit, object, item, params);
}

void toggleMovementGroup(EditService& edit, const ObjectPointer& object, Effect::EffectItemNumberGroup& group,
                         Effect::EffectItemNumber& item) {
    System::Log::info("Edit::EditCommand::toggleMovementGroup", "toggle move group layer=%d frame=%d",
                      object->layer, object->start);
    EditScope scope(edit);
    scope.rebuildSetting = true;
    scope.refreshTimeSetting = true;
    scope.refreshColorSetting = true;
    scope.refreshTextSetting = true;
    scope.notifyObjectUpdate = true;
    scope.targetObject = object;
    scope.beginUndo();
    record(edit, &UndoService::addObjectUndoSection, object);
    group.linked = !group.linked;
    if (!group.linked || !item.group || !item.group->linked) return;
    for (Effect::EffectItemNumber* member : item.group->members) {
        if (member == &item) continue;
        member->setMovement(*item.movement);
        member->flags = item.flags;
        member->curve = item.curve;
        member->params = item.params;
        member->resizeValueList(object->getMidPointCount() + 2);
    }
}

bool canAdjustLayerRange(const EditService& edit) {
    const ObjectSelection& selection = edit.getCurrentScene()->selection;
    return selection.controlSelected && selection.objects.size() >= 2;
}

void adjustLayerRange(EditService& edit) {
    if (!canAdjustLayerRange(edit)) return;
    EditScope scope(edit);
    scope.resortLayers = true;
    scope.refreshSetting = true;
    scope.refreshTimeSetting = true;
    scope.refreshColorSetting = true;
    scope.notifyObjectUpdate = true;
    scope.beginUndo();
    Scene& scene = *scope.scene;
    const int deepest = scene.selection.maxLayer;
    for (const ObjectPointer& object : scene.selection.objects) {
        if (!object->layerRangeControl || object->effectList.empty() || object->layer < 0 ||
            object->layer >= deepest)
            continue;
        record(edit, &UndoService::addObjectUndoLayerRange, object);
        setLayerRange(*object->effectList.front(), deepest - object->layer);
        scene.getLayerObjectListGrow(object->layer).controlRangeNeeded = true;
    }
}

void setGridXY(EditService& edit, bool enable) {
    setViewSwitch(edit, "Edit::EditCommand::setGridXY", "set xy grid", PreviewSwitch::GridXY, enable);
}

void setCameraGrid(EditService& edit, bool enable) {
    setViewSwitch(edit, "Edit::EditCommand::setCameraGrid", "set camera grid", PreviewSwitch::CameraGrid, enable);
}

void setCameraFreeView(EditService& edit, bool enable) {
    setViewSwitch(edit, "Edit::EditCommand::setCameraFreeView", "set camera free view", PreviewSwitch::CameraFreeView,
                  enable);
}

void setVisibleClippingObjectView(EditService& edit, bool enable) {
    setViewSwitch(edit, "Edit::EditCommand::setVisibleClippingObjectView", "set visible clipping object",
                  PreviewSwitch::VisibleClippingObject, enable);
}

}  // namespace Edit::EditCommand
