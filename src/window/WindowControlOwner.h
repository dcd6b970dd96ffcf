#pragma once
// The control list of a panel or composite widget: the owning class embeds
// one, and its controls register themselves in it when built. The owner's
// rectangle follows a source rectangle moved by the scroll offset; controls
// are laid out relative to it and clipped to the clip rectangle.
// User-interface thread only.
#include "platform/gtk/Messages.h"
#include "window/WindowMouse.h"

#include <vector>

namespace Media {
class RenderTargetWindow;
}

namespace Window {

class WindowClient;
class WindowControl;

class WindowControlOwner {
public:
    // hostWindow and hostTarget: the program window that hosts the client
    // (a floating window when the client floats, else the main window) and
    // that window's drawing target. clip and source must outlive the owner.
    WindowControlOwner(WindowClient* client, Platform::WindowHandle hostWindow,
                       Media::RenderTargetWindow* hostTarget, int priorityBase, const Rect* clip,
                       const Rect* source);
    ~WindowControlOwner();
    WindowControlOwner(const WindowControlOwner&) = delete;
    WindowControlOwner& operator=(const WindowControlOwner&) = delete;

    // rect = source moved by (-scrollX, -scrollY); then every control, in
    // list order, runs its updateLayout and its procMove.
    void updateLayout();
    // Detaches every control (see WindowControl::detach) and empties the
    // list: used when the owner goes while input is handled.
    void detachControls();

    WindowClient* client = nullptr;
    int scrollX = 0;
    int scrollY = 0;
    // Controls placed directly in the owner get priorityBase + 1.
    int priorityBase = 200;
    const Rect* clip = nullptr;
    const Rect* source = nullptr;
    Rect rect;
    // In creation order: a child follows its parent.
    std::vector<WindowControl*> controls;

    Platform::WindowHandle hostWindow = nullptr;
    Media::RenderTargetWindow* hostTarget = nullptr;
};

}  // namespace Window
