#pragma once
// The procedure of one program window: every program window stores the
// address of its hook in its user-data slot, and the class procedure
// (dispatchWindowMessage) hands the window's messages to it.
#include "platform/gtk/Messages.h"

namespace Window {

class WindowProcHook {
public:
    virtual LRESULT wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam,
                            LPARAM lParam) = 0;

protected:
    ~WindowProcHook() = default;
};

}  // namespace Window
