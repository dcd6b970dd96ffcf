#include "settings/rows/EffectItemSelectBase.h"

#include "settings/rows/RowText.h"

namespace Component {

void EffectItemSelectBase::setupDropDown(Control::TextButtonWheelControl& button,
                                         const Effect::EffectItemSelect::SharedList* const& list,
                                         const int& current) {
    button.style = 1;
    button.onClick = [this, &list, &current](Control::ButtonControl& b) {
        showList(static_cast<Control::TextButtonWheelControl&>(b), *list, current);
    };
    button.canWheel = [this](Control::TextButtonWheelControl&) {
        return Window::ListBox::open && Window::ListBox::owner == this;
    };
    button.onWheel = [](Control::TextButtonWheelControl&, int delta) {
        Window::ListBox::moveSelection(delta < 0 ? 1 : -1);
    };
}

void EffectItemSelectBase::showList(Control::TextButtonWheelControl& button,
                                    const Effect::EffectItemSelect::SharedList& list, int current) {
    Window::ListBox::initialize();
    for (const auto& [value, name] : list.items) {
        const int chosen = value;
        Window::ListBox::addRow(translateEffectText(name), [this, chosen] { selectValue(chosen); },
                                value == current);
    }
    const Window::Rect& r = button.fullRect();
    Window::ListBox::show(button.window, r.x, r.y, r.width, r.height, this);
}

}  // namespace Component
