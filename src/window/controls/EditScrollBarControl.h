#pragma once
// A vertical scroll bar bound to a text edit control: it follows the
// edit's text height and scroll position, and scrolling it scrolls the
// edit (two lines an arrow click or wheel notch). The edit sends its wheel
// to the bar.
#include "window/controls/ScrollBarControl.h"

namespace Control {

class EditControl;

class EditScrollBarControl : public ScrollBarControl {
public:
    // From left, width wide (a width <= 0 reaches the right edge less
    // |width|), full height.
    EditScrollBarControl(Window::WindowControlOwner& owner, EditControl& edit, int left, int width);
    EditScrollBarControl(Window::WindowControl& parent, EditControl& edit, int left, int width);
    // Unbinds the edit, which must still live (it is made before the bar).
    ~EditScrollBarControl() override;

    // Range, view and thumb from the edit's text height and scroll
    // position; then the bar repaints.
    void updateFromEdit();

    EditControl& edit;

private:
    void bind();
};

}  // namespace Control
