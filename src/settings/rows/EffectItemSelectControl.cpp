#include "settings/rows/EffectItemSelectControl.h"

#include "core/base/Log.h"
#include "platform/gtk/Menu.h"
#include "settings/rows/ChoiceText.h"
#include "settings/rows/RowText.h"
#include "media/draw/FontDefine.h"
#include "window/MenuDefinePopups.h"
#include "window/PopupMenu.h"
#include "window/controls/ControlPaint.h"
#include "media/draw/RenderTargetWindow.h"

namespace Component {

EffectItemSelectControl::EffectItemSelectControl(Window::WindowControlOwner& parent,
                                                 const std::shared_ptr<Effect::EffectBase>& effect,
                                                 EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      label(layoutBox, 0, 0, headerWidth, 0, translateEffectText(item.name), 1),
      dropDown(layoutBox, headerWidth + margin, 0, 0, 0, 1) {
    if (Media::RenderTargetWindow* window = WindowControlRenderTarget::host)
        label.backgroundBrush = &window->brushList[Control::Brushes::ButtonBody];
    setupDropDown(dropDown, this->item->list, this->item->value);
    updateValue();
}

void EffectItemSelectControl::updateValue() {
    dropDown.text = choiceName(*item->list, item->value, warned);
    dropDown.procPaint();
}

void EffectItemSelectControl::setValue(int value, Edit::EditScope& scope) {
    applyEdit(scope, [value](Effect::EffectItemSelect& target) { target.value = choiceValue(*target.list, value); });
}

void EffectItemSelectControl::selectValue(int value) {
    Edit::EditScope scope(*editService);
    setValue(value, scope);
    updateValue();
}

EffectItemFontSelectControl::EffectItemFontSelectControl(Window::WindowControlOwner& parent,
                                                         const std::shared_ptr<Effect::EffectBase>& effect,
                                                         EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      label(layoutBox, 0, 0, headerWidth, 0),
      dropDown(layoutBox, headerWidth + margin, 0, 0, 0, 1) {
    label.text = translateEffectText(item.name);
    label.onClick = [this](Control::ButtonControl&) { showFontMenu(); };
    setupDropDown(dropDown, this->item->list, this->item->value);
    updateValue();
}

void EffectItemFontSelectControl::updateValue() {
    dropDown.text = choiceName(*item->list, item->value, warned);
    dropDown.procPaint();
}

void EffectItemFontSelectControl::setValue(int value, Edit::EditScope& scope) {
    applyEdit(scope, [value](Effect::EffectItemSelect& target) { target.value = choiceValue(*target.list, value); });
}

void EffectItemFontSelectControl::selectValue(int value) {
    Edit::EditScope scope(*editService);
    setValue(value, scope);
    updateValue();
}

void EffectItemFontSelectControl::selectFontName(const std::wstring& name) {
    Effect::EffectItemFontSelect::FontList& fonts = Effect::EffectItemFontSelect::getFontList();
    if (name.empty()) {
        selectValue(fonts.defaultIndex);
        return;
    }
    fonts.list.rebuildIndex();
    const auto found = fonts.list.index.find(name);
    if (found == fonts.list.index.end()) {
        System::Log::warn("Component::EffectItemFontSelectControl", L"font %ls is not in the font list", name.c_str());
        return;
    }
    selectValue(found->second);
}

void EffectItemFontSelectControl::showFontMenu() {
    // The current font's entry of the choice list names the marked one.
    const wchar_t* current = nullptr;
    for (const auto& [value, name] : item->list->items)
        if (value == item->value) current = name;
    Window::PopupMenu menu;
    Menu::createFontMenu(
        menu, [this](Media::FontDefine* define) { selectFontName(define ? define->name : std::wstring()); }, current);
    menu.show();
}

}  // namespace Component
