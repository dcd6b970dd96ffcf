#include "effect/item/EffectItemCheck.h"

#include "effect/base/StdConvert.h"

namespace Effect {

EffectItemCheck::EffectItemCheck(ItemList& items, std::wstring name, bool value)
    : EffectItemCheck(items, ItemType::Check, std::move(name), value) {}

EffectItemCheck::EffectItemCheck(ItemList& items, std::uint8_t type, std::wstring name,
                                 bool value)
    : EffectItem(items, type, std::move(name)), value(value) {}

void EffectItemCheck::copyFrom(const EffectItem& other) {
    value = sameKind<EffectItemCheck>(other).value;
}

bool EffectItemCheck::equals(const EffectItem& other) const {
    return value == sameKind<EffectItemCheck>(other).value;
}

std::unique_ptr<EffectItem> EffectItemCheck::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemCheck(*this));
}

std::string EffectItemCheck::toString() const { return value ? "1" : "0"; }

void EffectItemCheck::fromString(const std::string& text) { value = StdConvert::toInt(text) != 0; }

EffectItemCheckButton::EffectItemCheckButton(ItemList& items, std::wstring name, bool value,
                                             float start, float end)
    : EffectItemCheck(items, ItemType::CheckButton, std::move(name), value),
      start(start),
      end(end) {}

std::unique_ptr<EffectItem> EffectItemCheckButton::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemCheckButton(*this));
}

EffectItemCheckInteger::EffectItemCheckInteger(ItemList& items, std::wstring name, bool value)
    : EffectItemCheck(items, ItemType::CheckInteger, std::move(name), value) {}

std::unique_ptr<EffectItem> EffectItemCheckInteger::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemCheckInteger(*this));
}

}  // namespace Effect
