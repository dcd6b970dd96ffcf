#include "window/controls/LayoutControl.h"

namespace Control {

LayoutControl::LayoutControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom)
    : WindowControl(owner, left, top, right, bottom) {
    WindowMouse::detach();
}

LayoutControl::LayoutControl(Window::WindowControl& parent, int left, int top, int right, int bottom)
    : WindowControl(parent, left, top, right, bottom) {
    WindowMouse::detach();
}

Window::Rect LayoutControl::fractionRect(const Window::Rect& whole, float left, float top, float right,
                                         float bottom) {
    const float w = static_cast<float>(whole.width);
    const float h = static_cast<float>(whole.height);
    const int x0 = whole.x + static_cast<int>(w * left);
    const int y0 = whole.y + static_cast<int>(h * top);
    const int x1 = whole.x + static_cast<int>(w * right);
    const int y1 = whole.y + static_cast<int>(h * bottom);
    return {x0, y0, x1 - x0, y1 - y0};
}

void LayoutControl::updateLayout() {
    const Window::Rect whole = source ? layoutRect(*source, left, top, right, bottom) : Window::Rect{};
    const Window::Rect r = fractionRect(whole, fractionLeft, fractionTop, fractionRight, fractionBottom);
    setRect(r.x, r.y, r.x + r.width, r.y + r.height);
}

}  // namespace Control
