#pragma once
// The base of owner-drawn controls: an input object (WindowMouse) placed by
// four layout numbers relative to a source rectangle and clipped to a clip
// rectangle. A control placed in an owner follows the owner's rectangle and
// is clipped to the owner's clip; a child control follows its parent's full
// rectangle and is clipped to the parent's visible one.
//
// Layout rule, with the source S:
//   x0 = left + (left < 0 ? S.x + S.width : S.x)
//   y0 = top + (top < 0 ? S.y + S.height : S.y)
//   x1 = right + (right <= 0 ? S.x + S.width : x0)
//   y1 = bottom + (bottom <= 0 ? S.y + S.height : y0)
//   then x1 = max(x1, x0), y1 = max(y1, y0).
// A negative left or top counts from the source's right or bottom edge; a
// positive right or bottom is a width or height; 0 or less counts from the
// right or bottom edge. (0, 0, 0, 0) fills the source.
// The visible rectangle (the one hit tests use) is the full rectangle with
// its edges clamped into the clip rectangle.
// User-interface thread only.
#include "window/WindowControlOwner.h"
#include "window/WindowMouse.h"

namespace Window {

class WindowControl : public WindowMouse {
public:
    WindowControl(WindowControlOwner& owner, int left, int top, int right, int bottom);
    WindowControl(WindowControl& parent, int left, int top, int right, int bottom);
    ~WindowControl() override;

    // The layout rule's rectangle from its numbers and a source.
    static Rect layoutRect(const Rect& source, int left, int top, int right, int bottom);
    // The full rectangle (x0, y0)-(x1, y1) clamped into the clip.
    static Rect clipRect(const Rect& clip, int x0, int y0, int x1, int y1);

    // Stores the full and the visible rectangle.
    void setRect(int x0, int y0, int x1, int y1);
    // Leaves the routing service and the owner's list, with every child
    // control (recursively): no longer drawn, hit-tested or notified.
    void detach();

    virtual void procPaint() = 0;
    // The rectangle changed.
    virtual void procMove();
    // Computes the rectangle; by default the layout rule.
    virtual void updateLayout();

    const Rect& fullRect() const { return fullRect_; }
    const Rect& visibleRect() const { return visibleRect_; }

    WindowControlOwner* owner = nullptr;
    // The control this one was placed in, or null.
    WindowControl* parent = nullptr;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    const Rect* clip = nullptr;
    const Rect* source = nullptr;

private:
    void applyLayoutRule();

    Rect visibleRect_;
    Rect fullRect_;
};

}  // namespace Window
