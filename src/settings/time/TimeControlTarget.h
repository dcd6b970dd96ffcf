#pragma once
// What the time-control window edits: one number item with a
// time-controlled movement, with the effect and the object that hold it.
// Items of a linked group (the coordinates of a position) share one curve
// and count as one target, named after all of them.
// User-interface thread only.
#include "edit/model/Object.h"

#include <memory>
#include <string>
#include <vector>

namespace Effect {
class EffectBase;
class EffectItemNumber;
}  // namespace Effect

namespace Component {

struct TimeControlTarget {
    Edit::ObjectPointer object;
    std::shared_ptr<Effect::EffectBase> effect;
    Effect::EffectItemNumber* item = nullptr;

    explicit operator bool() const { return item != nullptr; }
};

// Every time-controlled number item of the object, effects in chain order
// and items in order; a linked group is listed once, by its first member.
std::vector<TimeControlTarget> collectTargetItems(const Edit::ObjectPointer& object);
// The first time-controlled item of the object's first effect (its second
// when the first is an input); empty when there is none.
TimeControlTarget focusTarget(const Edit::ObjectPointer& object);
// The effect of the object holding the item; empty when none does.
TimeControlTarget findTarget(const Edit::ObjectPointer& object, Effect::EffectItemNumber& item);
// "<effect> [<item names>]": an output effect is named after the object's
// first effect; a linked group lists every member from the item's own
// place onwards, round the group.
std::wstring makeTargetLabel(const TimeControlTarget& target);
// The item, or every member of its linked group.
std::vector<Effect::EffectItemNumber*> linkedMembers(Effect::EffectItemNumber& item);
// Whether the target's item still sits on a live object with a
// time-controlled movement.
bool isTargetValid(const TimeControlTarget& target);

}  // namespace Component
