#pragma once
// The control that paints the preview picture: the area's background
// ("OutsideDisplay"), the frame at the rectangle the area computes for the
// zoom (smoothed below 100 %, sharp pixels from 100 % up), then the frame's
// handles over it. It is the anchor control of the picture: its mouse
// operations go to the handles (their own source file).
// User-interface thread only.
#include "panels/anchor/AnchorControl.h"
#include "panels/preview/PreviewImageGeometry.h"

#include <vector>

namespace Component {

class PreviewControl;

// Smoothed below 100 % (fit included), sharp pixels from 100 % up.
Platform::Cairo::Interpolation previewInterpolation(int zoom);

class PreviewVideoControl : public Anchor::AnchorControl {
public:
    PreviewVideoControl(PreviewControl& area, Window::WindowControlOwner& owner, int left, int top, int right,
                        int bottom);
    ~PreviewVideoControl() override;

    void procPaint() override;

    // The handles' input (PreviewVideoInput.cpp).
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

    // Maps the shown anchors onto the picture rectangle last drawn.
    void updateAnchorLayout();
    // New anchors replace the shown ones.
    void showAnchors(std::vector<Anchor::AnchorItem> list);
    // The anchors go (playback shows no handles).
    void clearAnchors();

    PreviewControl& area;
    // The picture's rectangle as last drawn, in the area's coordinates
    // (which are this control's: it starts at the area's corner).
    ImageRect imageRect;
};

}  // namespace Component
