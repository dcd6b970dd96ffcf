#include "window/WindowControlOwner.h"

#include "window/WindowControl.h"

namespace Window {

WindowControlOwner::WindowControlOwner(WindowClient* client, Platform::WindowHandle hostWindow,
                                       Media::RenderTargetWindow* hostTarget, int priorityBase,
                                       const Rect* clip, const Rect* source)
    : client(client),
      priorityBase(priorityBase),
      clip(clip),
      source(source),
      hostWindow(hostWindow),
      hostTarget(hostTarget) {
    if (source) rect = *source;
}

WindowControlOwner::~WindowControlOwner() {
    // Controls that outlive their owner (handed to deleteLater) must not
    // reach back into it.
    for (WindowControl* control : controls) control->owner = nullptr;
}

void WindowControlOwner::updateLayout() {
    if (source) rect = {source->x - scrollX, source->y - scrollY, source->width, source->height};
    // A copy: a control's procMove may add or remove controls.
    const std::vector<WindowControl*> list = controls;
    for (WindowControl* control : list) {
        if (control->owner != this) continue;
        control->updateLayout();
        control->procMove();
    }
}

void WindowControlOwner::detachControls() {
    const std::vector<WindowControl*> list = controls;
    for (WindowControl* control : list) control->detach();
    controls.clear();
}

}  // namespace Window
