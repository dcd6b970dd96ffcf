#pragma once
// The zoom button of the player row: a left drag zooms the preview picture
// (two pixels upwards raise the zoom by at least one percent), a right drag
// scrolls the zoomed picture, and its menu lists the zoom choices.
#include "window/controls/BitmapButtonControl.h"

namespace Component {

class PreviewControl;

class ZoomButtonControl : public Control::BitmapButtonControl {
public:
    ZoomButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom,
                      PreviewControl& preview);

    void procLButtonDown(int x, int y) override;
    void procRButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procContextMenu(int x, int y) override;
    void procCaptureLost() override;
    // The zoom ("WindowSize" when fitting) at the right of the button.
    void updateTooltip();

    PreviewControl& preview;
    bool zoomMode = true;
    int startZoom = 0;
    int startX = 0;
    int startY = 0;
};

}  // namespace Component
