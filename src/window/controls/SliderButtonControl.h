#pragma once
// A picture button that sets a value by dragging on it: the press shows the
// value's text at the right of the button, and every 2 px dragged upwards
// raise the value by 1 from the value at the press (the owner clamps it),
// the text following. Drawn as a picture button.
#include "window/controls/BitmapButtonControl.h"

#include <string>

namespace Component {

class SliderButtonControl : public Control::BitmapButtonControl {
public:
    using BitmapButtonControl::BitmapButtonControl;

    void procLButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;

    virtual int getValue() = 0;
    virtual std::wstring getValueText() = 0;
    // start + delta, clamped and applied by the owner.
    virtual void changeValue(int start, int delta) = 0;
    // The tooltip at the right of the button.
    void showTooltip(const std::wstring& text);

    int dragStartValue = 0;
};

}  // namespace Component
