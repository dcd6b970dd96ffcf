#pragma once
// Integers: a plain integer, a scene id and a layer range. Files keep the
// value as read; only the settings row clamps it.
#include "effect/item/EffectItem.h"

namespace Effect {

class EffectItemInteger : public EffectItem {
public:
    // type: ItemType::Integer, or ItemType::HiddenInteger for a state that has
    // no settings row.
    EffectItemInteger(ItemList& items, std::wstring name, int value, int defaultValue,
                      int minimum, int maximum, const wchar_t* unitText = nullptr,
                      std::uint8_t type = ItemType::Integer);

    // Copies value, default, minimum and maximum; compares the value.
    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    // No clamping: a value beyond the declared range stays.
    void fromString(const std::string& text) override;

    int value;
    int defaultValue;
    int minimum;
    int maximum;
    // A text the settings row shows in place of the number (null: the number).
    const wchar_t* unitText;
    bool visible = true;

protected:
    EffectItemInteger(const EffectItemInteger& other) = default;
};

// A scene id.
class EffectItemScene : public EffectItemInteger {
public:
    EffectItemScene(ItemList& items, std::wstring name, int value, int defaultValue = 0,
                    int minimum = 0, int maximum = 1000000);
    std::unique_ptr<EffectItem> clone() const override;

protected:
    EffectItemScene(const EffectItemScene& other) = default;
};

// The number of following layers a control object governs, 0 meaning all.
class EffectItemLayerRange : public EffectItemInteger {
public:
    EffectItemLayerRange(ItemList& items, std::wstring name, int value, int defaultValue = 0,
                         int minimum = 0, int maximum = 1000);
    std::unique_ptr<EffectItem> clone() const override;

protected:
    EffectItemLayerRange(const EffectItemLayerRange& other) = default;
};

}  // namespace Effect
