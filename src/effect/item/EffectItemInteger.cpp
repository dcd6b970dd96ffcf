#include "effect/item/EffectItemInteger.h"

#include "effect/base/StdConvert.h"

namespace Effect {

EffectItemInteger::EffectItemInteger(ItemList& items, std::wstring name, int value,
                                     int defaultValue, int minimum, int maximum,
                                     const wchar_t* unitText, std::uint8_t type)
    : EffectItem(items, type, std::move(name)),
      value(value),
      defaultValue(defaultValue),
      minimum(minimum),
      maximum(maximum),
      unitText(unitText) {}

void EffectItemInteger::copyFrom(const EffectItem& other) {
    const auto& source = sameKind<EffectItemInteger>(other);
    value = source.value;
    defaultValue = source.defaultValue;
    minimum = source.minimum;
    maximum = source.maximum;
}

bool EffectItemInteger::equals(const EffectItem& other) const {
    return value == sameKind<EffectItemInteger>(other).value;
}

std::unique_ptr<EffectItem> EffectItemInteger::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemInteger(*this));
}

std::string EffectItemInteger::toString() const { return std::to_string(value); }

void EffectItemInteger::fromString(const std::string& text) { value = StdConvert::toInt(text); }

EffectItemScene::EffectItemScene(ItemList& items, std::wstring name, int value, int defaultValue,
                                 int minimum, int maximum)
    : EffectItemInteger(items, std::move(name), value, defaultValue, minimum, maximum, nullptr,
                        ItemType::Scene) {}

std::unique_ptr<EffectItem> EffectItemScene::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemScene(*this));
}

EffectItemLayerRange::EffectItemLayerRange(ItemList& items, std::wstring name, int value,
                                           int defaultValue, int minimum, int maximum)
    : EffectItemInteger(items, std::move(name), value, defaultValue, minimum, maximum, nullptr,
                        ItemType::LayerRange) {}

std::unique_ptr<EffectItem> EffectItemLayerRange::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemLayerRange(*this));
}

}  // namespace Effect
