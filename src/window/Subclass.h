#pragma once
// Hands a program window's messages to a function first: the function
// decides whether the window's own procedure (defSubclassProc) sees them
// too. Attached between registerProc and removeProc, the destructor, or the
// window's destruction (WM_DESTROY detaches before the function sees it).
// User-interface thread only.
#include "window/WindowProcHook.h"

#include <functional>

namespace Window {

class Subclass final : public WindowProcHook {
public:
    using Proc = std::function<LRESULT(Subclass&, Platform::WindowHandle, UINT, WPARAM, LPARAM)>;

    Subclass() = default;
    ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // A window that does not exist, or one already attached, raises
    // "SetWindowSubclass".
    void registerProc(Platform::WindowHandle window, Proc function);
    void removeProc();
    // The procedure the window had before it was attached.
    LRESULT defSubclassProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) override;

    Proc proc;
    Platform::WindowHandle hwnd = nullptr;

private:
    WindowProcHook* previous_ = nullptr;
};

}  // namespace Window
