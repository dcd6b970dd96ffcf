#pragma once
// Rows that edit text in place: a one-line string (Enter inserts nothing)
// and a four-line text with its scroll bar, which follows the text window
// and offers the in-place text undo keys. Every change of a box is its own
// edit and undo step; no other selected object changes.
#include "effect/item/EffectItemText.h"
#include "settings/rows/EffectItemControl.h"
#include "window/controls/EditControl.h"
#include "window/controls/EditScrollBarControl.h"
#include "window/controls/TextControl.h"

namespace Component {

class EffectItemStringControl : public EffectItemControl<Effect::EffectItemString> {
public:
    EffectItemStringControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                            EffectItemRowHost& host, Effect::EffectItem& item);

    void updateValue() override;
    void storeText();

    Control::TextControl label;
    Control::EditControl edit;
};

class EffectItemTextControl : public EffectItemControl<Effect::EffectItemText> {
public:
    EffectItemTextControl(Window::WindowControlOwner& parent, const std::shared_ptr<Effect::EffectBase>& effect,
                          EffectItemRowHost& host, Effect::EffectItem& item);

    // Takes the item's text when the box shows another one, then paints.
    void procPaint() override;
    void storeText();
    // The in-place text undo and redo keys; true when the key was one.
    bool textUndoKey(int virtualKey);

    Control::EditControl edit;
    Control::EditScrollBarControl scrollBar;
};

}  // namespace Component
