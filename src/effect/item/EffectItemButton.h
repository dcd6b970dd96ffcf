#pragma once
// A push button of the settings window. It holds no value: its text form is
// empty and reading changes nothing.
#include "effect/item/EffectItem.h"

#include <functional>

namespace Component {
class EffectItemBaseControl;
}

namespace Effect {

class EffectItemButton : public EffectItem {
public:
    using ClickCallback = std::function<void(Component::EffectItemBaseControl& row)>;

    // Several buttons may share one settings line, each taking the fractions
    // [start, end] of it.
    EffectItemButton(ItemList& items, std::wstring name, ClickCallback onClick,
                     float start = 0.0f, float end = 1.0f);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    void fromString(const std::string& text) override;

    ClickCallback onClick;
    float start;
    float end;

protected:
    EffectItemButton(const EffectItemButton& other) = default;
};

}  // namespace Effect
