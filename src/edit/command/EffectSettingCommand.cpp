#include "edit/command/EffectSettingCommand.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "edit/command/CommandSupport.h"
#include "edit/command/EffectMenuCommand.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"

namespace Edit::EditCommand {

namespace {

std::string nameOf(const Effect::EffectBase& effect) { return System::String::toUtf8(effect.name); }

void setSwitchFlags(EditScope& scope, const ObjectPointer& object) {
    scope.refreshSetting = scope.refreshTimeSetting = scope.refreshColorSetting = scope.notifyObjectUpdate = true;
    scope.targetObject = object;
}

void setObjectFlagFlags(EditScope& scope, const ObjectPointer& object) {
    scope.rebuildSetting = scope.refreshTimeSetting = scope.refreshColorSetting = scope.refreshTextSetting =
        scope.notifyObjectUpdate = true;
    scope.targetObject = object;
}

void recordEffect(EditService& edit, const EffectManager::EffectPointer& effect) {
    if (Undo::UndoService* undo = edit.getUndoService()) undo->addEffectUndoUpdate(effect);
}

}  // namespace

void setEnableEffect(EditService& edit, const ObjectPointer& object, const EffectManager::EffectPointer& effect,
                     bool enable) {
    if (!object || !effect) return;
    System::Log::info("Edit::EditCommand::setEnableEffect", "set enable effect [%s] layer=%d frame=%d enable=%d",
                      nameOf(*effect).c_str(), object->layer, object->start, enable ? 1 : 0);
    EditScope scope(edit);
    setSwitchFlags(scope, object);
    scope.beginUndo();
    recordEffect(edit, effect);
    effect->disable = !enable;
}

void setLockEffect(EditService& edit, const ObjectPointer& object, const EffectManager::EffectPointer& effect,
                   bool lock) {
    if (!object || !effect) return;
    System::Log::info("Edit::EditCommand::setLockEffect", "set lock effect [%s] layer=%d frame=%d lock=%d",
                      nameOf(*effect).c_str(), object->layer, object->start, lock ? 1 : 0);
    EditScope scope(edit);
    setSwitchFlags(scope, object);
    scope.beginUndo();
    recordEffect(edit, effect);
    effect->lock = lock;
    const int index = object->indexOf(effect.get());
    if (effect->effectType == Effect::EffectKind::Input && index >= 0 &&
        index + 1 < static_cast<int>(object->effectList.size())) {
        const EffectManager::EffectPointer& output = object->effectList[static_cast<std::size_t>(index) + 1];
        recordEffect(edit, output);
        output->lock = lock;
    }
}

void setEnableClippingObject(EditService& edit, const ObjectPointer& object, bool enable) {
    if (!object) return;
    System::Log::info("Edit::EditCommand::setEnableClippingObject", "set enable clipping layer=%d frame=%d enable=%d",
                      object->layer, object->start, enable ? 1 : 0);
    EditScope scope(edit);
    setObjectFlagFlags(scope, object);
    scope.beginUndo();
    record(edit, &Undo::UndoService::addObjectUndoFlag, object);
    object->clipping = enable;
    if (enable) object->camera = false;
}

void setEnableCameraObject(EditService& edit, const ObjectPointer& object, bool enable) {
    if (!object) return;
    System::Log::info("Edit::EditCommand::setEnableCameraObject", "set enable camera layer=%d frame=%d enable=%d",
                      object->layer, object->start, enable ? 1 : 0);
    EditScope scope(edit);
    setObjectFlagFlags(scope, object);
    scope.beginUndo();
    record(edit, &Undo::UndoService::addObjectUndoFlag, object);
    object->camera = enable;
    if (enable) object->clipping = false;
}

void removeEffect(EditService& edit, const ObjectPointer& object, const EffectManager::EffectPointer& effect) {
    if (!object || !effect) return;
    System::Log::info("Edit::EditCommand::removeEffect", "remove effect [%s] layer=%d frame=%d",
                      nameOf(*effect).c_str(), object->layer, object->start);
    EditScope scope(edit);
    setEffectScopeFlags(scope, object);
    scope.beginUndo();
    record(edit, &Undo::UndoService::addObjectUndoEffect, object);
    object->removeEffect(effect.get());
}

}  // namespace Edit::EditCommand
