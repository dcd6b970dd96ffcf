#pragma once
// The top-level window of a floating panel: a window of the program's one
// class, owned by (transient for) the main window, with its own drawing
// target; the panel fills its client area. It lives as long as the panel
// object. Closing it hides the panel (and the window); the window menu's
// dock-back item (command 50000, on Alt+Space) docks the panel again,
// which rebuilds the panel without a window. The panel's keys x, y, w, h
// and zoom follow the window's placement.
// User-interface thread only.
#include "media/draw/RenderTargetWindow.h"
#include "window/WindowProcHook.h"

namespace Window {

class WindowClient;

class WindowFloating final : public Media::RenderTargetWindow, public WindowProcHook {
public:
    static constexpr UINT dockCommand = 50000;

    // Creates the window, hidden (the window service shows it).
    explicit WindowFloating(WindowClient& panel);
    ~WindowFloating();
    WindowFloating(const WindowFloating&) = delete;
    WindowFloating& operator=(const WindowFloating&) = delete;

    void createWindow();
    LRESULT wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Hides the window; its messages no longer reach the panel.
    void detach();

    WindowClient* panel;
};

}  // namespace Window
