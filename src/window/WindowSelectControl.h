#pragma once
// The selection operations' view of a window object: the pending gesture
// is the routing service's key-release wait (its key the tag: Ctrl for a
// click that selected, the focus wait for a drag), Ctrl is the key state,
// and a drag holds the mouse when the pressed object has the capture.
// User-interface thread only.
#include "edit/service/SelectControl.h"

namespace Window {

class WindowMouse;

class WindowSelectControl : public Edit::SelectControl {
public:
    explicit WindowSelectControl(WindowMouse& object) : object(object) {}

    std::optional<int> gestureOwnerTag() const override;
    void claimGesture(int tag) override;
    bool isControlKeyDown() const override;
    bool isMouseCaptured() const override;

    WindowMouse& object;
};

}  // namespace Window
