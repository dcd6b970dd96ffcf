#pragma once
// The base of every drawn control: a control (WindowControl) with a drawing
// target bound at construction to the program window that hosts its
// owner's client (a floating window when the client floats, else the main
// window). It shares that window's drawing target and nesting and uses its
// style brushes and pictures (host). The binding never changes: a panel
// that moves between windows is rebuilt. Without a host (tests) the control
// draws nothing.
// User-interface thread only.
#include "media/draw/RenderTarget.h"
#include "window/WindowControl.h"

namespace Media {
class RenderTargetWindow;
}

namespace Window {

class WindowControlRenderTarget : public WindowControl, public Media::RenderTarget {
public:
    WindowControlRenderTarget(WindowControlOwner& owner, int left, int top, int right, int bottom);
    WindowControlRenderTarget(WindowControl& parent, int left, int top, int right, int bottom);

    // The host window's target (its brush and bitmap lists), or null.
    Media::RenderTargetWindow* const host;
};

}  // namespace Window
