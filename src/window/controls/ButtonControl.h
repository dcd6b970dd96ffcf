#pragma once
// The base of every clickable drawn button. A button clicks on the press,
// not on the release: the press is taken as a click (no drag follows) and
// onClick runs at once. Entering, leaving and the end of a press repaint it
// (the hover and press faces); resting on it shows its tooltip below the
// pointer.
//
// The state face of a button (and of other pressable parts such as a
// thumb or a knob): disabled -> ButtonBodyDisable, else pressed ->
// ButtonBodyPress, else hovered -> ButtonBodyHover, else ButtonBody.
#include "window/WindowControlRenderTarget.h"
#include "window/controls/ControlPaint.h"

#include <functional>
#include <string>

namespace Control {

class ButtonControl : public Window::WindowControlRenderTarget {
public:
    using WindowControlRenderTarget::WindowControlRenderTarget;

    static Brushes::Id stateFace(const Window::WindowMouse& object);

    void procLButtonDown(int x, int y) override;
    void procMouseEnter() override;
    void procMouseLeave() override;
    void procCaptureLost() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;

    // Empty: nobody is told.
    std::function<void(ButtonControl&)> onClick;
    // Empty: no tooltip.
    std::wstring tooltip;

protected:
    // The press is a click: the routing service's pressed object holds the
    // mouse and the drag threshold counts as passed.
    void takePressAsClick();
    void click();
};

}  // namespace Control
