#pragma once
// What the selection operations need of the control a click came from: the
// pending mouse gesture of its window (a control claims it, with a tag, when
// no control holds it yet), the Ctrl key and whether a drag holds the mouse
// capture. The window layer implements it for its controls.
// User-interface thread only.
#include <optional>

namespace Edit {

class SelectControl {
public:
    // Tags the edit service claims gestures with: a click that selected, a
    // selection kept for a drag.
    static constexpr int SelectGesture = 17;
    static constexpr int DragGesture = 65536;

    virtual ~SelectControl() = default;
    // The tag of the gesture owner of the control's window; none when no
    // control holds the gesture.
    virtual std::optional<int> gestureOwnerTag() const = 0;
    // Makes this control the gesture owner with the tag; called only when
    // no control holds the gesture.
    virtual void claimGesture(int tag) = 0;
    virtual bool isControlKeyDown() const = 0;
    // Some control holds the mouse capture (a drag is in progress).
    virtual bool isMouseCaptured() const = 0;
};

}  // namespace Edit
