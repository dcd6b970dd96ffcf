#include "window/WindowControlRenderTarget.h"

#include "media/draw/RenderTargetWindow.h"

namespace Window {

namespace {

Media::RenderTargetWindow* hostOf(const WindowControlOwner* owner) {
    return owner ? owner->hostTarget : nullptr;
}

// A window-level target with nothing to draw on, for controls without host.
Media::RenderTarget& targetOf(Media::RenderTargetWindow* host) {
    static Media::RenderTarget nowhere;
    return host ? static_cast<Media::RenderTarget&>(*host) : nowhere;
}

}  // namespace

WindowControlRenderTarget::WindowControlRenderTarget(WindowControlOwner& owner, int left, int top,
                                                     int right, int bottom)
    : WindowControl(owner, left, top, right, bottom),
      Media::RenderTarget(targetOf(owner.hostTarget)),
      host(owner.hostTarget) {}

WindowControlRenderTarget::WindowControlRenderTarget(WindowControl& parent, int left, int top,
                                                     int right, int bottom)
    : WindowControl(parent, left, top, right, bottom),
      Media::RenderTarget(targetOf(hostOf(parent.owner))),
      host(hostOf(parent.owner)) {}

}  // namespace Window
