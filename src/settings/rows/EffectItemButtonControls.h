#pragma once
// Rows of a single button (several may share a line): a button that runs
// the item's click function, and a button whose menu picks a choice.
#include "effect/item/EffectItemButton.h"
#include "effect/item/EffectItemSelect.h"
#include "settings/rows/EffectItemControl.h"
#include "window/controls/TextButtonControl.h"

namespace Component {

class EffectItemButtonControl : public EffectItemControl<Effect::EffectItemButton> {
public:
    EffectItemButtonControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                            EffectItemRowHost& host, Effect::EffectItem& item);

    Control::TextButtonControl button;
};

class EffectItemSelectButtonControl : public EffectItemControl<Effect::EffectItemSelectButton> {
public:
    EffectItemSelectButtonControl(Window::WindowControlOwner& parent,
                                  const std::shared_ptr<Effect::EffectBase>& effect, EffectItemRowHost& host,
                                  Effect::EffectItem& item);

    void updateValue() override;
    void setValue(int value, Edit::EditScope& scope);
    void selectValue(int value);
    void showChoiceMenu();

    Control::TextButtonControl button;

private:
    bool warned_ = false;
};

}  // namespace Component
