#include "window/WindowControl.h"

#include <algorithm>

namespace Window {

WindowControl::WindowControl(WindowControlOwner& owner, int left, int top, int right, int bottom)
    : WindowMouse(owner.hostWindow, &visibleRect_, owner.priorityBase + 1),
      owner(&owner),
      left(left),
      top(top),
      right(right),
      bottom(bottom),
      clip(owner.clip),
      source(&owner.rect) {
    owner.controls.push_back(this);
    applyLayoutRule();
}

WindowControl::WindowControl(WindowControl& parent, int left, int top, int right, int bottom)
    : WindowMouse(parent.window, &visibleRect_, parent.priority + 1),
      owner(parent.owner),
      parent(&parent),
      left(left),
      top(top),
      right(right),
      bottom(bottom),
      clip(&parent.visibleRect_),
      source(&parent.fullRect_) {
    if (owner) owner->controls.push_back(this);
    applyLayoutRule();
}

WindowControl::~WindowControl() {
    if (owner) std::erase(owner->controls, this);
}

Rect WindowControl::layoutRect(const Rect& s, int left, int top, int right, int bottom) {
    const int x0 = left + (left < 0 ? s.x + s.width : s.x);
    const int y0 = top + (top < 0 ? s.y + s.height : s.y);
    const int x1 = std::max(right + (right <= 0 ? s.x + s.width : x0), x0);
    const int y1 = std::max(bottom + (bottom <= 0 ? s.y + s.height : y0), y0);
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect WindowControl::clipRect(const Rect& c, int x0, int y0, int x1, int y1) {
    const int vx = std::clamp(x0, c.x, c.x + c.width);
    const int vy = std::clamp(y0, c.y, c.y + c.height);
    const int vx1 = std::clamp(x1, c.x, c.x + c.width);
    const int vy1 = std::clamp(y1, c.y, c.y + c.height);
    return {vx, vy, vx1 - vx, vy1 - vy};
}

void WindowControl::setRect(int x0, int y0, int x1, int y1) {
    fullRect_ = {x0, y0, x1 - x0, y1 - y0};
    // Without a clip the control is shown whole.
    visibleRect_ = clip ? clipRect(*clip, x0, y0, x1, y1) : fullRect_;
}

void WindowControl::applyLayoutRule() {
    const Rect r = source ? layoutRect(*source, left, top, right, bottom) : Rect{};
    setRect(r.x, r.y, r.x + r.width, r.y + r.height);
}

void WindowControl::updateLayout() {
    applyLayoutRule();
}

void WindowControl::procMove() {}

void WindowControl::detach() {
    if (owner) {
        // Children follow their parent in the list: detach them first.
        const std::vector<WindowControl*> list = owner->controls;
        for (WindowControl* control : list)
            if (control->parent == this && control->owner) control->detach();
        std::erase(owner->controls, this);
        owner = nullptr;
    }
    WindowMouse::detach();
}

}  // namespace Window
