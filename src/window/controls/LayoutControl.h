#pragma once
// An invisible box that places its children in a fraction of the rectangle
// its layout numbers give: (left, top, right, bottom) fractions of that
// rectangle's width and height, truncated to whole pixels; (0, 0, 1, 1)
// keeps it whole. It draws nothing and takes no input.
#include "window/WindowControl.h"

namespace Control {

class LayoutControl : public Window::WindowControl {
public:
    LayoutControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    LayoutControl(Window::WindowControl& parent, int left, int top, int right, int bottom);

    // The fraction of a rectangle (x0, y0)-(x1, y1).
    static Window::Rect fractionRect(const Window::Rect& whole, float left, float top, float right, float bottom);

    void updateLayout() override;
    void procPaint() override {}

    float fractionLeft = 0.0f;
    float fractionTop = 0.0f;
    float fractionRight = 1.0f;
    float fractionBottom = 1.0f;
};

}  // namespace Control
