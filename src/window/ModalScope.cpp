#include "window/ModalScope.h"

#include "core/base/Singleton.h"
#include "platform/gtk/NativeWindow.h"
#include "render/service/RenderService.h"
#include "window/WindowService.h"

namespace Window {

ModalScope::ModalScope() {
    // Nothing plays under a modal window.
    if (auto* render = System::Singleton<Render::RenderService>::getInstance()) render->player.stop(false);
    if (auto* service = System::Singleton<WindowService>::getInstance()) {
        mainWindow_ = service->mainWindow;
        record(mainWindow_);
        for (Platform::WindowHandle window : service->floatingWindows()) record(window);
    }
    for (const auto& [window, enabled] : windows_)
        if (enabled) Platform::enableWindow(window, false);
}

ModalScope::~ModalScope() {
    for (const auto& [window, enabled] : windows_) {
        if (!enabled) continue;
        Platform::enableWindow(window, true);
        if (window == mainWindow_) Platform::setForegroundWindow(window);
    }
}

void ModalScope::record(Platform::WindowHandle window) {
    if (window) windows_.emplace(window, Platform::isWindowEnabled(window));
}

}  // namespace Window
