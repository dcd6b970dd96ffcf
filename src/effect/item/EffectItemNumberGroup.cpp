#include "effect/item/EffectItemNumberGroup.h"

#include "effect/item/EffectItemNumber.h"
#include "effect/registry/EffectTranslate.h"
#include "effect/base/StdConvert.h"

#include <algorithm>

namespace Effect {

EffectItemNumberGroup::EffectItemNumberGroup(ItemList& items, std::wstring name,
                                             std::vector<EffectItemNumber*> members, bool linked)
    : EffectItem(items, ItemType::NumberGroup, std::move(name)),
      members(std::move(members)),
      linked(linked) {
    for (EffectItemNumber* member : this->members) member->group = this;
}

void EffectItemNumberGroup::copyFrom(const EffectItem& other) {
    linked = sameKind<EffectItemNumberGroup>(other).linked;
}

bool EffectItemNumberGroup::equals(const EffectItem& other) const {
    return linked == sameKind<EffectItemNumberGroup>(other).linked;
}

std::unique_ptr<EffectItem> EffectItemNumberGroup::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemNumberGroup(*this));
}

std::string EffectItemNumberGroup::toString() const { return linked ? "1" : "0"; }

void EffectItemNumberGroup::fromString(const std::string& text) {
    linked = StdConvert::toInt(text) != 0;
}

std::wstring EffectItemNumberGroup::getLabel() const {
    std::wstring label = L"[";
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (i) label += L',';
        label += translateEffectText(members[i]->name.c_str());
    }
    label += L']';
    return label;
}

bool EffectItemNumberGroup::isOnKeyFrame(const Render::ObjectContextBase& context) const {
    if (members.empty()) return true;
    std::size_t count = 0;
    for (const EffectItemNumber* member : members) count = std::max(count, member->values.size());
    return EffectItemNumber::isOnKeyFrame(context, static_cast<int>(count));
}

}  // namespace Effect
