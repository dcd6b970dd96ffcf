#pragma once
// A row of one item class T: the item it shows, and the frame of the value
// setters every row kind shares.
#include "effect/base/EffectBase.h"
#include "settings/rows/EffectItemBaseControl.h"

namespace Component {

template <class T>
class EffectItemControl : public EffectItemBaseControl {
public:
    EffectItemControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                      EffectItemRowHost& host, Effect::EffectItem& item, int height)
        : EffectItemBaseControl(parent, effect, host, height), item(static_cast<T*>(&item)) {}

    Effect::EffectItem* getEffectItem() const override { return item; }

    // The item belongs to the effect.
    T* const item;

protected:
    // Inside a scope the caller opened: the scope's flags and target, its
    // undo group, a record of the effect, the value stored into the item
    // (store), the effect told, then the same for the same item of every
    // other selected object (recorded, stored, not told).
    template <class Store>
    void applyEdit(Edit::EditScope& scope, Store store) {
        prepareScope(scope);
        scope.beginUndo();
        undoService->addEffectUndoUpdate(effect);
        store(*item);
        effect->notifyItemChange(&scope, scope.targetObject.get(), effect, *item);
        for (const SameItem& same : findSelectSameItems(*item)) {
            undoService->addEffectUndoUpdate(same.effect);
            store(static_cast<T&>(*same.item));
        }
    }
};

}  // namespace Component
