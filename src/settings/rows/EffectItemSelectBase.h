#pragma once
// The drop-down list of the choice rows (select, font, combo file, mask):
// a button showing the current choice that opens the program's list box
// under itself, one list row per choice in value order; the wheel over the
// button moves the open list's selection.
#include "effect/item/EffectItemSelect.h"
#include "window/ListBox.h"
#include "window/controls/TextButtonControl.h"

#include <string>

namespace Component {

class EffectItemSelectBase {
public:
    virtual ~EffectItemSelectBase() = default;
    // A choice from the list, applied as one edit.
    virtual void selectValue(int value) = 0;

protected:
    // Wires the button: a click opens the list of the choices with current
    // marked; the wheel moves the selection while this list is open.
    void setupDropDown(Control::TextButtonWheelControl& button,
                       const Effect::EffectItemSelect::SharedList* const& list, const int& current);
    void showList(Control::TextButtonWheelControl& button, const Effect::EffectItemSelect::SharedList& list,
                  int current);

    // The choice name of a missing value was logged for this row.
    bool warned = false;
};

}  // namespace Component
