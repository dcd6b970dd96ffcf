#pragma once
// The player's horizontal position slider: a knob over a frame range, with
// the marked range (the playback range) and the selected range drawn on
// the track. A press on the track asks for the position there and goes on
// as a drag of the knob; the knob dragged asks for positions relative to
// where it started. The bar only asks (onChange); owners then set the
// position (setPosition).
#include "window/WindowControlRenderTarget.h"
#include "window/controls/TrackBarRange.h"

#include <functional>

namespace Control {

class TrackBarControl : public Window::WindowControlRenderTarget, public TrackBarRange {
public:
    // The knob: an input object of its own over the knob's square.
    class BarMouse : public Window::WindowMouse {
    public:
        explicit BarMouse(TrackBarControl& bar);
        void procLButtonDown(int x, int y) override;
        void procMouseDrag(int x, int y) override;
        void procMouseEnter() override;
        void procMouseLeave() override;
        void procCaptureLost() override;

        Window::Rect knobRect;

    private:
        TrackBarControl& bar_;
    };

    TrackBarControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    TrackBarControl(Window::WindowControl& parent, int left, int top, int right, int bottom);

    void setMaximum(int n);
    void setMarkRange(int start, int end);
    void setSelectRange(int start, int end);
    void setPosition(int value);
    // The geometry for the visible size, and the knob's rectangle.
    void updateGeometry();
    // Asks for p (clamped) when it differs from the position.
    void changePosition(int p);

    void procLButtonDown(int x, int y) override;
    void procPaint() override;
    void procMove() override;

    int dragStartValue = 0;
    std::function<void(TrackBarControl&, int)> onChange;
    BarMouse knob;

private:
    void updateKnob();
};

}  // namespace Control
