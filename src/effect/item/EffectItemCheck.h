#pragma once
// Check boxes: "1" or "0" in files, any integer text when read.
#include "effect/item/EffectItem.h"

namespace Effect {

class EffectItemCheck : public EffectItem {
public:
    EffectItemCheck(ItemList& items, std::wstring name, bool value = false);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    // Leading blanks allowed, trailing characters ignored; no digits throws.
    void fromString(const std::string& text) override;

    bool value;
    // Whether the settings row is shown.
    bool visible = true;

protected:
    EffectItemCheck(ItemList& items, std::uint8_t type, std::wstring name, bool value);
    EffectItemCheck(const EffectItemCheck& other) = default;
};

// Drawn as a toggle button; several buttons may share one settings line,
// each taking the fractions [start, end] of it.
class EffectItemCheckButton : public EffectItemCheck {
public:
    EffectItemCheckButton(ItemList& items, std::wstring name, bool value = false,
                          float start = 0.0f, float end = 1.0f);
    std::unique_ptr<EffectItem> clone() const override;

    float start;
    float end;

protected:
    EffectItemCheckButton(const EffectItemCheckButton& other) = default;
};

// The check parameters of script effects, whose script side reads the code.
class EffectItemCheckInteger : public EffectItemCheck {
public:
    EffectItemCheckInteger(ItemList& items, std::wstring name, bool value = false);
    std::unique_ptr<EffectItem> clone() const override;

protected:
    EffectItemCheckInteger(const EffectItemCheckInteger& other) = default;
};

}  // namespace Effect
