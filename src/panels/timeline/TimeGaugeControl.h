#pragma once
// The time ruler above the timeline's object area: ticks and time labels
// of the visible frames, the selected frame range and the frame cursor.
// Presses and the wheel go on to the object area (translated into its
// coordinates, so they arrive there with a negative y); the ruler itself
// only paints and offers a menu that clears the range selection.
// User-interface thread only.
#include "edit/service/EditInstance.h"
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"

namespace Component {

class EditComponent;

class TimeGaugeControl : public Window::WindowControlRenderTarget,
                         public Edit::EditInstance,
                         public Resource::FontResource {
public:
    TimeGaugeControl(EditComponent& panel, Window::WindowControl& parent, int left, int top, int right, int bottom);

    void procLButtonDown(int x, int y) override;
    void procRButtonDown(int x, int y) override;
    void procMouseWheel(int x, int y, int delta) override;
    void procContextMenu(int x, int y) override;
    void procPaint() override;

    // Ends the range selection (view state: no undo step).
    void clearFrameRange();

    EditComponent& panel;
    Window::WindowMouse* forwardTarget = nullptr;

private:
    // The point in the forward target's coordinates.
    int targetX(int x) const;
    int targetY(int y) const;
};

}  // namespace Component
