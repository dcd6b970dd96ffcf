#pragma once
// The rows of a check item: a check box with the item's name beside it, and
// a toggle button showing the name (several of them may share a line). A
// press anywhere on the row toggles the value, as one undo step that the
// same item of the other selected objects follows.
#include "effect/item/EffectItemCheck.h"
#include "settings/rows/EffectItemControl.h"
#include "window/controls/CheckButtonControl.h"
#include "window/controls/TextControl.h"

namespace Component {

class EffectItemCheckControl : public EffectItemControl<Effect::EffectItemCheck> {
public:
    EffectItemCheckControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                           EffectItemRowHost& host, Effect::EffectItem& item);

    void updateValue() override;
    // Inside the caller's scope: the checked flag, here and in the selection.
    void setValue(bool checked, Edit::EditScope& scope);

    Control::CheckButtonControl check;
    Control::TextControl label;
};

class EffectItemCheckButtonControl : public EffectItemControl<Effect::EffectItemCheckButton> {
public:
    EffectItemCheckButtonControl(Window::WindowControlOwner& parent,
                                 const std::shared_ptr<Effect::EffectBase>& effect, EffectItemRowHost& host,
                                 Effect::EffectItem& item);

    void updateValue() override;
    void setValue(bool checked, Edit::EditScope& scope);

    Control::CheckTextButtonControl button;
};

}  // namespace Component
