#pragma once
// A button showing a text in the Control font, placed by its style:
//   0  centred;
//   1  left-aligned (a sixth of the text height in), with a small
//      drop-down triangle at the right;
//   2  centred and, when too wide, cut with an ellipsis;
//   other  top-left.
// The text keeps at least 3 px from the left and top edges. A 2 px Border
// outline finishes the button.
#include "media/draw/TextFormatList.h"
#include "window/controls/ButtonControl.h"

#include <string>

namespace Control {

class TextButtonControl : public ButtonControl, public Resource::FontResource {
public:
    TextButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom, int style = 0);
    TextButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom, int style = 0);

    void procPaint() override;

    Resource::TextFormat* textFormat = nullptr;
    std::wstring text;
    int style = 0;
};

// A text button that also takes the mouse wheel while hovered, when onWheel
// is set (and canWheel, when set, agrees).
class TextButtonWheelControl : public TextButtonControl {
public:
    using TextButtonControl::TextButtonControl;

    void procMouseEnter() override;
    void procMouseLeave() override;
    bool canMouseWheel() override;
    void procMouseWheel(int x, int y, int delta) override;

    std::function<void(TextButtonWheelControl&, int delta)> onWheel;
    std::function<bool(TextButtonWheelControl&)> canWheel;
};

}  // namespace Control
