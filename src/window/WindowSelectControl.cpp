#include "window/WindowSelectControl.h"

#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowMouse.h"
#include "window/WindowMouseService.h"

namespace Window {

std::optional<int> WindowSelectControl::gestureOwnerTag() const {
    const WindowMouseService* service = object.service;
    if (!service || !service->keyReleaseWaiter) return std::nullopt;
    return service->keyReleaseKey;
}

void WindowSelectControl::claimGesture(int tag) {
    if (object.service) object.service->setKeyReleaseWait(&object, tag);
}

bool WindowSelectControl::isControlKeyDown() const { return Platform::getKeyState(Platform::VK::CONTROL) < 0; }

bool WindowSelectControl::isMouseCaptured() const {
    const WindowMouseService* service = object.service;
    return service && service->pressed && service->pressed->captured;
}

}  // namespace Window
