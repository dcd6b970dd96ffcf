#pragma once
// The timeline's zoom gauge: one segment per zoom level above the first,
// lit up to the current level (litCount, kept by the owner). A press, a
// drag across it or the wheel asks for another level (onChange); owners
// then update zoom and litCount and repaint.
#include "edit/model/Scene.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/ZoomGaugeSegments.h"

#include <functional>

namespace Control {

class ZoomGaugeControl : public Window::WindowControlRenderTarget {
public:
    ZoomGaugeControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    ZoomGaugeControl(Window::WindowControl& parent, int left, int top, int right, int bottom);

    void procLButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procMouseWheel(int x, int y, int delta) override;
    void procMouseEnter() override;
    void procMouseLeave() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procPaint() override;
    void procMove() override;

    Edit::FrameZoom zoom;
    ZoomGaugeSegments segments;
    int litCount = 0;
    // A missing callback throws std::bad_function_call when a level is
    // chosen.
    std::function<void(ZoomGaugeControl&, Edit::FrameZoom&)> onChange;

private:
    void choose(Edit::FrameZoom next);
};

}  // namespace Control
