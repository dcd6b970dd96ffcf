#pragma once
// The control that paints the preview picture: the area's background
// ("OutsideDisplay"), the frame at the rectangle the area computes for the
// zoom (smoothed below 100 %, sharp pixels from 100 % up), then the frame's
// handles over it.
//
// Input and the handles belong to PreviewVideoInput (its own source files):
// the mouse operations below are defined there and forward to it, and the
// paint calls its layout and drawing hooks after the picture.
// User-interface thread only.
#include "effect/anchor/AnchorItem.h"
#include "panels/preview/PreviewImageGeometry.h"
#include "window/WindowControlRenderTarget.h"

#include <memory>
#include <vector>

namespace Component {

class PreviewControl;
class PreviewVideoInput;

// Smoothed below 100 % (fit included), sharp pixels from 100 % up.
Platform::Cairo::Interpolation previewInterpolation(int zoom);

class PreviewVideoControl : public Window::WindowControlRenderTarget {
public:
    PreviewVideoControl(PreviewControl& area, Window::WindowControlOwner& owner, int left, int top, int right,
                        int bottom);
    ~PreviewVideoControl() override;

    void procPaint() override;

    // Defined with the input (PreviewVideoInput.cpp).
    void procMouseMove(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procDragCancel() override;
    bool procDragKey(int virtualKey) override;
    void procKeyUp() override;
    void procLButtonDown(int x, int y) override;
    void procRButtonDown(int x, int y) override;
    void procMouseLeave() override;
    void procCaptureLost() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    // Maps the shown anchors onto the current picture rectangle.
    void updateAnchorLayout();
    // Draws the shown anchors over the picture (inside the paint's scope).
    void drawAnchors();
    // The anchors go (playback shows no handles).
    void clearAnchors();

    PreviewControl& area;
    // The handles of the frame shown, taken over from each new preview
    // frame.
    std::vector<Anchor::AnchorItem> anchors;
    // The picture's rectangle as last drawn, in the area's coordinates.
    ImageRect imageRect;
    std::unique_ptr<PreviewVideoInput> input;
};

}  // namespace Component
