#include "edit/command/EffectMenuCommand.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "edit/command/AliasCommand.h"
#include "edit/command/ObjectCreateCommand.h"
#include "edit/command/CommandSupport.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/registry/EffectMenuCommands.h"

namespace Edit::EditCommand {

void setEffectScopeFlags(EditScope& scope, const ObjectPointer& object) {
    scope.rebuildSetting = true;
    scope.refreshTimeSetting = true;
    scope.refreshColorSetting = true;
    scope.refreshTextSetting = true;
    scope.notifyObjectUpdate = true;
    scope.targetObject = object;
}

void removeReplacedEffect(Object& object, const Effect::EffectBase* position) {
    const int index = object.indexOf(position);
    if (index < 0) return;
    if (index == 0) {
        const auto& chain = object.effectList;
        const bool filters = chain.size() > 1 && chain[0]->effectType == Effect::EffectKind::Filter &&
                             chain[1]->effectType == Effect::EffectKind::Filter;
        if (!filters) return;
    }
    object.removeEffect(position);
}

void setEffect(EditService& edit, const ObjectPointer& object, const wchar_t* name,
               const Effect::EffectBase* position, bool replace) {
    if (!object || !name) return;
    System::Log::info("Edit::EditCommand::setEffect", "set effect [%s] layer=%d frame=%d",
                      System::String::toUtf8(name).c_str(), object->layer, object->start);
    EditScope scope(edit);
    setEffectScopeFlags(scope, object);
    scope.beginUndo();
    record(edit, &Undo::UndoService::addObjectUndoEffect, object);
    object->addEffect(name, object->getMidPointCount(), position);
    if (replace) removeReplacedEffect(*object, position);
    object->adjustEffectList();
    // A control put in place of another may govern other layers.
    if (object->isControlObject() && object->layer >= 0) {
        scope.scene->getLayerObjectListGrow(object->layer).controlRangeNeeded = true;
        scope.resortLayers = true;
    }
}

void installEffectMenuCommands(EditService* edit) {
    Effect::EffectMenuCommands& commands = Effect::EffectMenuCommands::installed();
    if (!edit) {
        commands = Effect::EffectMenuCommands{};
        return;
    }
    commands.createObject = [edit](const wchar_t* name, int layer, int frame) {
        createObject(*edit, name, layer, frame, {});
    };
    commands.setEffect = [edit](const ObjectPointer& object, const wchar_t* name, const Effect::EffectBase* position,
                                bool replace) { setEffect(*edit, object, name, position, replace); };
    commands.loadObjectAlias = [edit](const std::wstring& path, int layer, int frame) {
        loadObjectAlias(*edit, path, layer, frame);
    };
    commands.loadEffectAlias = [edit](const ObjectPointer& object, const std::wstring& path,
                                      const Effect::EffectBase* position, bool replace) {
        loadEffectAlias(*edit, object, path, position, replace);
    };
}

}  // namespace Edit::EditCommand
