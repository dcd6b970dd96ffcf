#include "settings/rows/EffectItemCheckControl.h"

#include "settings/rows/RowText.h"

namespace Component {

namespace {

// The button's own click: toggles it and runs its check callback.
void toggle(Control::CheckButtonControl& button) {
    button.checked = !button.checked;
    if (button.onCheck) button.onCheck(button);
}

}  // namespace

EffectItemCheckControl::EffectItemCheckControl(Window::WindowControlOwner& parent,
                                               const std::shared_ptr<Effect::EffectBase>& effect,
                                               EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      check(layoutBox, 0, 0, singleRowHeight(), 0),
      label(layoutBox, singleRowHeight() + margin, 0, 0, 0, translateEffectText(item.name), 0) {
    check.setCheckCallback([this](Control::CheckButtonControl& button) {
        Edit::EditScope scope(*editService);
        setValue(button.checked, scope);
    });
    clickCallback = [this] { toggle(check); };
    updateValue();
}

void EffectItemCheckControl::updateValue() {
    check.checked = item->value;
    check.procPaint();
}

void EffectItemCheckControl::setValue(bool checked, Edit::EditScope& scope) {
    applyEdit(scope, [checked](Effect::EffectItemCheck& target) { target.value = checked; });
}

EffectItemCheckButtonControl::EffectItemCheckButtonControl(Window::WindowControlOwner& parent,
                                                           const std::shared_ptr<Effect::EffectBase>& effect,
                                                           EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()), button(layoutBox, 0, 0, 0, 0) {
    setPlacement(this->item->start, this->item->end);
    button.text = translateEffectText(item.name);
    button.setCheckCallback([this](Control::CheckButtonControl& b) {
        Edit::EditScope scope(*editService);
        setValue(b.checked, scope);
    });
    clickCallback = [this] { toggle(button); };
    updateValue();
}

void EffectItemCheckButtonControl::updateValue() {
    button.checked = item->value;
    button.procPaint();
}

void EffectItemCheckButtonControl::setValue(bool checked, Edit::EditScope& scope) {
    applyEdit(scope, [checked](Effect::EffectItemCheckButton& target) { target.value = checked; });
}

}  // namespace Component
