#pragma once
// The guard every modal window of the program opens around its modal loop:
// opening it stops preview playback, and while it lives the main window and
// every floating window are disabled.
// Closing it enables again exactly the windows it disabled (so nested
// scopes restore correctly) and brings the main window to the front.
// User-interface thread only.
#include "platform/gtk/Messages.h"

#include <unordered_map>

namespace Window {

class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    void record(Platform::WindowHandle window);

    Platform::WindowHandle mainWindow_ = nullptr;
    // Window -> whether it was enabled when the scope opened.
    std::unordered_map<Platform::WindowHandle, bool> windows_;
};

}  // namespace Window
