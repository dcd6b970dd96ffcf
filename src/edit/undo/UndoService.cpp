#include "edit/undo/UndoService.h"

#include "core/base/Log.h"
#include "edit/model/Layer.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/ColorSettingUndo.h"
#include "edit/undo/EffectUndoUpdate.h"
#include "edit/undo/LayerUndo.h"
#include "edit/undo/ObjectUndo.h"

#include <algorithm>
#include <exception>

namespace Undo {

namespace {

using EffectRecord = UndoItemTemplate<Effect::EffectBase, Effect::EffectUndoUpdate>;

}  // namespace

UndoService::UndoService() = default;

UndoService::~UndoService() = default;

void UndoService::beginUndoGroup() {
    recording = true;
    pending.clear();
}

template <class Target, class Change>
void UndoService::add(std::shared_ptr<Target> target) {
    auto item = std::make_unique<UndoItemTemplate<Target, Change>>(std::move(target));
    item->saveUndo();
    pending.push_back(std::move(item));
}

void UndoService::addObjectUndoUpdate(const Edit::ObjectPointer& object) {
    add<Edit::Object, Edit::ObjectUndoUpdate>(object);
}

void UndoService::addObjectUndoCreate(const Edit::ObjectPointer& object) {
    // The object is not on the timeline yet, whatever its layer says.
    auto item = std::make_unique<UndoItemTemplate<Edit::Object, Edit::ObjectUndoCreateDelete>>(object);
    item->before.layer = -1;
    pending.push_back(std::move(item));
}

void UndoService::addObjectUndoDelete(const Edit::ObjectPointer& object) {
    add<Edit::Object, Edit::ObjectUndoCreateDelete>(object);
}

void UndoService::addObjectUndoSection(const Edit::ObjectPointer& object) {
    add<Edit::Object, Edit::ObjectUndoSection>(object);
    for (const Edit::EffectManager::EffectPointer& effect : object->effectList) addEffectUndoUpdate(effect);
}

void UndoService::addObjectUndoGroup(const Edit::ObjectPointer& object) {
    add<Edit::Object, Edit::ObjectUndoGroup>(object);
}

void UndoService::addObjectUndoEffect(const Edit::ObjectPointer& object) {
    add<Edit::Object, Edit::ObjectUndoEffect>(object);
}

void UndoService::addObjectUndoFlag(const Edit::ObjectPointer& object) {
    add<Edit::Object, Edit::ObjectUndoFlag>(object);
}

void UndoService::addObjectUndoLayerRange(const Edit::ObjectPointer& object) {
    add<Edit::Object, Edit::ObjectUndoLayerRange>(object);
}

void UndoService::addEffectUndoUpdate(const Edit::EffectManager::EffectPointer& effect) {
    add<Effect::EffectBase, Effect::EffectUndoUpdate>(effect);
}

void UndoService::addLayerUndoUpdate(const std::shared_ptr<Edit::Layer>& layer) {
    add<Edit::Layer, Edit::LayerUndoUpdate>(layer);
}

void UndoService::addColorSettingUndoUpdate(Component::ColorSettingColors& window) {
    add<Component::ColorSetting, Component::ColorSettingUndoUpdate>(window.undoHolder());
}

void UndoService::addUndoItem(std::unique_ptr<UndoItem> item) {
    if (item) pending.push_back(std::move(item));
}

void UndoService::commitUndoGroup() {
    recording = false;
    std::exception_ptr failure;
    UndoGroup group;
    for (std::unique_ptr<UndoItem>& item : pending) {
        try {
            if (item->commit()) group.push_back(std::move(item));
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    pending.clear();
    if (!group.empty() && history) {
        while (history->position > 0) {
            history->groups.pop_front();
            --history->position;
        }
        history->groups.push_front(std::move(group));
        const std::size_t limit = static_cast<std::size_t>(std::max(UndoMax, 0));
        while (history->groups.size() > limit) history->groups.pop_back();
        modified = true;
    }
    if (failure) std::rethrow_exception(failure);
}

bool UndoService::canUndo() const { return history && history->position < history->groups.size(); }

bool UndoService::canRedo() const { return history && history->position != 0; }

void UndoService::apply(UndoGroup& group, bool forward, bool textOnly) {
    Edit::EditScope scope(*editService);
    scope.notifyObjectUpdate = scope.refreshTimeSetting = true;
    if (forward) {
        for (std::unique_ptr<UndoItem>& item : group) item->redo(scope);
    } else {
        for (auto it = group.rbegin(); it != group.rend(); ++it) (*it)->undo(scope);
    }
    if (textOnly) scope.rebuildSetting = scope.refreshTimeSetting = scope.refreshColorSetting = false;
}

void UndoService::undo() {
    if (!canUndo() || !editService) return;
    UndoGroup& group = history->groups[history->position++];
    System::Log::info("Undo::UndoService::undo", "Undo: %d", static_cast<int>(group.size()));
    apply(group, false, false);
}

void UndoService::redo() {
    if (!canRedo() || !editService) return;
    UndoGroup& group = history->groups[--history->position];
    System::Log::info("Undo::UndoService::redo", "Redo: %d", static_cast<int>(group.size()));
    apply(group, true, false);
}

void UndoService::undoText(const Effect::EffectItem* item) {
    if (!canUndo() || !editService) return;
    UndoGroup& group = history->groups[history->position];
    if (!isEffectItemOnlyUndo(group, item)) return;
    ++history->position;
    System::Log::info("Undo::UndoService::undoText", "UndoText: %d", static_cast<int>(group.size()));
    apply(group, false, true);
}

void UndoService::redoText(const Effect::EffectItem* item) {
    if (!canRedo() || !editService) return;
    UndoGroup& group = history->groups[history->position - 1];
    if (!isEffectItemOnlyUndo(group, item)) return;
    --history->position;
    System::Log::info("Undo::UndoService::redoText", "Redo: %d", static_cast<int>(group.size()));
    apply(group, true, true);
}

bool UndoService::isEffectItemOnlyUndo(const UndoGroup& group, const Effect::EffectItem* item) {
    if (group.size() != 1) return false;
    const auto* record = dynamic_cast<const EffectRecord*>(group.front().get());
    if (!record) return false;
    return record->before.hasOnlyEffectItem(*record->target, item) &&
           record->after.hasOnlyEffectItem(*record->target, item);
}

}  // namespace Undo
