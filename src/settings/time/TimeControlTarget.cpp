#include "settings/time/TimeControlTarget.h"

#include "core/translate/TranslateService.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemNumberGroup.h"
#include "effect/movement/MovementBase.h"

#include <algorithm>

namespace Component {

namespace {

const wchar_t* effectText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Effect, text);
}

Effect::EffectItemNumber* timeControlled(Effect::EffectItem* item) {
    auto* number = dynamic_cast<Effect::EffectItemNumber*>(item);
    return number && number->movement->timeControlled ? number : nullptr;
}

bool linked(const Effect::EffectItemNumber& item) { return item.group && item.group->linked; }

}  // namespace

std::vector<Effect::EffectItemNumber*> linkedMembers(Effect::EffectItemNumber& item) {
    if (linked(item) && !item.group->members.empty()) return item.group->members;
    return {&item};
}

std::vector<TimeControlTarget> collectTargetItems(const Edit::ObjectPointer& object) {
    std::vector<TimeControlTarget> targets;
    if (!object) return targets;
    for (const auto& effect : object->effectList) {
        for (Effect::EffectItem* item : effect->items) {
            Effect::EffectItemNumber* number = timeControlled(item);
            if (!number) continue;
            if (linked(*number) && !number->group->members.empty() && number->group->members.front() != number)
                continue;
            targets.push_back({object, effect, number});
        }
    }
    return targets;
}

TimeControlTarget focusTarget(const Edit::ObjectPointer& object) {
    if (!object || object->effectList.empty()) return {};
    std::size_t index = 0;
    if (object->effectList.front()->effectType == Effect::EffectKind::Input) index = 1;
    if (index >= object->effectList.size()) return {};
    const auto& effect = object->effectList[index];
    for (Effect::EffectItem* item : effect->items)
        if (Effect::EffectItemNumber* number = timeControlled(item)) return {object, effect, number};
    return {};
}

TimeControlTarget findTarget(const Edit::ObjectPointer& object, Effect::EffectItemNumber& item) {
    if (!object) return {};
    for (const auto& effect : object->effectList)
        if (std::find(effect->items.begin(), effect->items.end(), &item) != effect->items.end())
            return {object, effect, &item};
    return {};
}

std::wstring makeTargetLabel(const TimeControlTarget& target) {
    if (!target.item || !target.effect) return {};
    const Effect::EffectBase* named = target.effect.get();
    if (named->effectType == Effect::EffectKind::Output && target.object && !target.object->effectList.empty())
        named = target.object->effectList.front().get();
    std::wstring label = effectText(named->getDisplayName());
    label += L" [";
    const std::vector<Effect::EffectItemNumber*> members = linkedMembers(*target.item);
    const std::size_t own = static_cast<std::size_t>(
        std::find(members.begin(), members.end(), target.item) - members.begin()) % members.size();
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (i) label += L",";
        label += effectText(members[(own + i) % members.size()]->name.c_str());
    }
    label += L"]";
    return label;
}

bool isTargetValid(const TimeControlTarget& target) {
    if (!target.item || !target.object || target.object->layer == -1) return false;
    if (!findTarget(target.object, *target.item)) return false;
    return target.item->movement->timeControlled;
}

}  // namespace Component
