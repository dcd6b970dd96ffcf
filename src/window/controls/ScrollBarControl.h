#pragma once
// The program's drawn scroll bar: two arrow buttons that repeat while held,
// a track and a thumb, over an integer range with a view inside it. It
// never moves anything itself: arrows, track presses (a page), the wheel
// (one step a notch) and thumb drags compute a wanted view start, clamp it
// and hand it to onScroll when it differs from the current one; the owner
// applies it, usually by moving its content and calling setViewRange.
//
// Orientation from the width and height layout numbers: a height <= 0
// (stretching to the bottom) makes a vertical bar (arrows up and down), else
// a width <= 0 a horizontal one (arrows left and right), else the longer
// side runs along the bar and the arrows have no icons.
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/RepeatClickButtonControl.h"
#include "window/controls/ScrollBarGeometry.h"

#include <functional>

namespace Control {

class ScrollBarControl : public Window::WindowControlRenderTarget, public ScrollBarGeometry {
public:
    // The thumb: an input object over the bar that beats its arrows.
    class BarMouse : public Window::WindowMouse {
    public:
        explicit BarMouse(ScrollBarControl& bar);

        void procLButtonDown(int x, int y) override;
        void procMouseDrag(int x, int y) override;
        void procMouseEnter() override;
        void procMouseLeave() override;
        void procCaptureLost() override;

        ScrollBarControl& bar;
        Window::Rect area;
    };

    // Vertical, thickness wide, from (left, top) down to the owner's bottom.
    ScrollBarControl(Window::WindowControlOwner& owner, int left, int top, int thickness);
    ScrollBarControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    ScrollBarControl(Window::WindowControl& parent, int left, int top, int right, int bottom);
    ~ScrollBarControl() override;

    void setViewRange(int start, int end);
    // Centres the view on a fraction of the range (nothing when the whole
    // range is in view).
    void setViewRatio(float fraction);
    // Clamps a wanted view start and reports it when it moves the view.
    void requestPosition(int position);

    void procMove() override;
    void procLButtonDown(int x, int y) override;
    void procMouseWheel(int x, int y, int delta) override;
    void procPaint() override;
    // Leaves the routing service with its arrows and thumb.
    void detach();

    const Platform::Cairo::Brush* backgroundBrush = nullptr;
    bool vertical = true;
    int dragStartValue = 0;
    std::function<void(ScrollBarControl&, int position)> onScroll;
    Window::WindowControlOwner inner;
    RepeatClickButtonControl firstArrow;
    RepeatClickButtonControl secondArrow;
    BarMouse thumb;

private:
    void init();
    void placeArrows();
    void placeThumbArea();
    int thickness() const;
    int length() const;
};

}  // namespace Control
