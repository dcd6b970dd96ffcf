#include "settings/rows/EffectItemButtonControls.h"

#include "platform/gtk/Menu.h"
#include "settings/rows/ChoiceText.h"
#include "settings/rows/RowText.h"
#include "window/PopupMenu.h"

namespace Component {

EffectItemButtonControl::EffectItemButtonControl(Window::WindowControlOwner& parent,
                                                 const std::shared_ptr<Effect::EffectBase>& effect,
                                                 EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()), button(layoutBox, 0, 0, 0, 0) {
    setPlacement(this->item->start, this->item->end);
    button.text = translateEffectText(item.name);
    button.onClick = [this](Control::ButtonControl&) {
        if (this->item->onClick) this->item->onClick(*this);
    };
}

EffectItemSelectButtonControl::EffectItemSelectButtonControl(Window::WindowControlOwner& parent,
                                                             const std::shared_ptr<Effect::EffectBase>& effect,
                                                             EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()), button(layoutBox, 0, 0, 0, 0) {
    setPlacement(this->item->start, this->item->end);
    button.onClick = [this](Control::ButtonControl&) { showChoiceMenu(); };
    updateValue();
}

void EffectItemSelectButtonControl::updateValue() {
    button.text = choiceName(*item->list, item->value, warned_);
    button.procPaint();
}

void EffectItemSelectButtonControl::setValue(int value, Edit::EditScope& scope) {
    applyEdit(scope, [value](Effect::EffectItemSelectButton& target) {
        target.value = choiceValue(*target.list, value);
    });
}

void EffectItemSelectButtonControl::selectValue(int value) {
    Edit::EditScope scope(*editService);
    setValue(value, scope);
    updateValue();
}

void EffectItemSelectButtonControl::showChoiceMenu() {
    Window::PopupMenu menu;
    for (const auto& [value, name] : item->list->items) {
        const int chosen = value;
        const Window::MenuItem entry =
            menu.insertItem(translateEffectText(name), [this, chosen] { selectValue(chosen); });
        if (value == item->value)
            Platform::checkMenuItem(menu.hmenu, static_cast<UINT>(entry.commandId),
                                    Platform::MF_BYCOMMAND | Platform::MF_CHECKED);
    }
    menu.show();
}

}  // namespace Component
