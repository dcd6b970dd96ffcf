#include "effect/item/EffectItemButton.h"

namespace Effect {

EffectItemButton::EffectItemButton(ItemList& items, std::wstring name, ClickCallback onClick,
                                   float start, float end)
    : EffectItem(items, ItemType::Button, std::move(name)),
      onClick(std::move(onClick)),
      start(start),
      end(end) {}

void EffectItemButton::copyFrom(const EffectItem& other) { sameKind<EffectItemButton>(other); }

bool EffectItemButton::equals(const EffectItem& other) const {
    sameKind<EffectItemButton>(other);
    return true;
}

std::unique_ptr<EffectItem> EffectItemButton::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemButton(*this));
}

std::string EffectItemButton::toString() const { return {}; }

void EffectItemButton::fromString(const std::string&) {}

}  // namespace Effect
