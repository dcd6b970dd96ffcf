#pragma once
// The change record of an effect's parameters: a copy of every item in item
// order, plus the disable and lock flags. At commit the items both states
// share are dropped and a changed text keeps only its differing middle, so
// a record holds just what the edit changed.
#include <memory>
#include <vector>

namespace Edit {
class EditScope;
}  // namespace Edit

namespace Effect {

class EffectBase;
class EffectItem;

struct EffectUndoUpdate {
    // One entry per item of the effect; empty where both states are equal.
    std::vector<std::unique_ptr<EffectItem>> items;
    bool disable = false;
    bool lock = false;

    void capture(const EffectBase& effect);
    // Throws "different number of items." when the effect's item count
    // changed since the before state was taken.
    static bool isChange(EffectUndoUpdate& before, EffectUndoUpdate& after);
    void restore(const std::shared_ptr<EffectBase>& effect, Edit::EditScope& scope) const;
    // Whether the items this record keeps are the given item alone.
    bool hasOnlyEffectItem(const EffectBase& effect, const EffectItem* item) const;
};

}  // namespace Effect
