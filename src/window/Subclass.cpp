#include "window/Subclass.h"

#include "core/base/Exception.h"
#include "platform/gtk/NativeWindow.h"
#include "window/WindowService.h"

#include <cerrno>

namespace Window {

Subclass::~Subclass() { removeProc(); }

void Subclass::registerProc(Platform::WindowHandle window, Proc function) {
    if (hwnd || !Platform::isWindow(window)) {
        errno = EINVAL;
        throw System::makeLastErrorException("SetWindowSubclass", "Window::Subclass::registerProc");
    }
    previous_ = static_cast<WindowProcHook*>(Platform::getWindowUserData(window));
    Platform::setWindowUserData(window, static_cast<WindowProcHook*>(this));
    proc = std::move(function);
    hwnd = window;
}

void Subclass::removeProc() {
    if (!hwnd) return;
    // Another subclass attached later keeps this one's place in its chain.
    if (Platform::isWindow(hwnd) && Platform::getWindowUserData(hwnd) == static_cast<WindowProcHook*>(this))
        Platform::setWindowUserData(hwnd, previous_);
    hwnd = nullptr;
}

LRESULT Subclass::defSubclassProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (previous_) return previous_->wndProc(window, message, wParam, lParam);
    return defaultWndProc(window, message, wParam, lParam);
}

LRESULT Subclass::wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Platform::WM_DESTROY) removeProc();
    // A copy: the function may remove or replace itself.
    const Proc function = proc;
    return function(*this, window, message, wParam, lParam);
}

}  // namespace Window
