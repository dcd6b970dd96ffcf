#include "edit/undo/EffectUndoUpdate.h"

#include "core/base/Exception.h"
#include "edit/scope/EditScope.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemText.h"

namespace Effect {

namespace {

void checkCount(std::size_t have, std::size_t want, const char* place) {
    if (have != want) throw System::makeException(place, "different number of items.");
}

}  // namespace

void EffectUndoUpdate::capture(const EffectBase& effect) {
    items.clear();
    items.reserve(effect.items.size());
    for (const EffectItem* item : effect.items) items.push_back(item->clone());
    disable = effect.disable;
    lock = effect.lock;
}

bool EffectUndoUpdate::isChange(EffectUndoUpdate& before, EffectUndoUpdate& after) {
    checkCount(before.items.size(), after.items.size(), "Effect::EffectUndoUpdate::commit");
    bool changed = false;
    for (std::size_t i = 0; i < before.items.size(); ++i) {
        std::unique_ptr<EffectItem>& a = before.items[i];
        std::unique_ptr<EffectItem>& b = after.items[i];
        if (!a || !b) continue;
        if (a->equals(*b)) {
            a.reset();
            b.reset();
            continue;
        }
        changed = true;
        if (a->type == ItemType::Text) {
            auto* textA = dynamic_cast<EffectItemText*>(a.get());
            auto* textB = dynamic_cast<EffectItemText*>(b.get());
            if (textA && textB) textA->makeDiff(*textB);
        }
    }
    return changed || before.disable != after.disable || before.lock != after.lock;
}

void EffectUndoUpdate::restore(const std::shared_ptr<EffectBase>& effect, Edit::EditScope& scope) const {
    checkCount(items.size(), effect->items.size(), "Effect::EffectUndoUpdate::restore");
    scope.rebuildSetting = scope.refreshTimeSetting = scope.refreshColorSetting = scope.refreshTextSetting = true;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i]) effect->items[i]->copyFrom(*items[i]);
    effect->disable = disable;
    effect->lock = lock;
}

bool EffectUndoUpdate::hasOnlyEffectItem(const EffectBase& effect, const EffectItem* item) const {
    checkCount(items.size(), effect.items.size(), "Effect::EffectUndoUpdate::hasOnlyEffectItem");
    bool any = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i]) continue;
        if (effect.items[i] != item) return false;
        any = true;
    }
    return any;
}

}  // namespace Effect
