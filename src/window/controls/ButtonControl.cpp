#include "window/controls/ButtonControl.h"

#include "window/WindowMouseService.h"
#include "window/controls/ControlTooltip.h"

namespace Control {

Brushes::Id ButtonControl::stateFace(const Window::WindowMouse& object) {
    if (!object.enabled) return Brushes::ButtonBodyDisable;
    if (object.captured) return Brushes::ButtonBodyPress;
    if (object.hover) return Brushes::ButtonBodyHover;
    return Brushes::ButtonBody;
}

void ButtonControl::takePressAsClick() {
    if (service && service->pressed) {
        service->pressed->captured = true;
        service->dragMoved = true;
    }
}

void ButtonControl::click() {
    if (onClick) onClick(*this);
}

void ButtonControl::procLButtonDown(int, int) {
    takePressAsClick();
    procPaint();
    click();
}

void ButtonControl::procMouseEnter() { procPaint(); }

void ButtonControl::procMouseLeave() { procPaint(); }

void ButtonControl::procCaptureLost() { procPaint(); }

void ButtonControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) { showTooltipBelowPointer(tooltip); }

}  // namespace Control
