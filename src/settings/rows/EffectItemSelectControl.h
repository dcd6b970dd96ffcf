#pragma once
// The rows of a list choice: the item's name on a label and the drop-down
// of its choices. The font row's label opens the font menu.
#include "effect/item/EffectItemSelect.h"
#include "settings/rows/EffectItemControl.h"
#include "settings/rows/EffectItemSelectBase.h"
#include "window/controls/TextButtonControl.h"
#include "window/controls/TextControl.h"

namespace Component {

class EffectItemSelectControl : public EffectItemControl<Effect::EffectItemSelect>, public EffectItemSelectBase {
public:
    EffectItemSelectControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                            EffectItemRowHost& host, Effect::EffectItem& item);

    void updateValue() override;
    void selectValue(int value) override;
    // Inside the caller's scope: the value when the list holds it, else the
    // list's first; here and in the selection.
    void setValue(int value, Edit::EditScope& scope);

    Control::TextControl label;
    Control::TextButtonWheelControl dropDown;
};

class EffectItemFontSelectControl : public EffectItemControl<Effect::EffectItemFontSelect>,
                                    public EffectItemSelectBase {
public:
    EffectItemFontSelectControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                                EffectItemRowHost& host, Effect::EffectItem& item);

    void updateValue() override;
    void selectValue(int value) override;
    void setValue(int value, Edit::EditScope& scope);
    // A font picked by name; a name the font list lacks changes nothing.
    void selectFontName(const std::wstring& name);
    void showFontMenu();

    Control::TextButtonControl label;
    Control::TextButtonWheelControl dropDown;
};

}  // namespace Component
