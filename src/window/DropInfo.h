#pragma once
// The record of a file drag over a program window: sent by pointer in
// lParam of WM_USER + 1 (over) and WM_USER + 2 (drop) and handed on to the
// object under the pointer. The drop target names it
// Window::DropTarget::DropInfo.
#include "platform/gtk/Messages.h"

#include <string>
#include <vector>

namespace Window {

struct DropInfo {
    // Full paths, in the order the drag lists them.
    std::vector<std::wstring> files;
    // The pointer in screen coordinates.
    Platform::POINT point;
    // False before each message; the receiver sets it when it takes the
    // drag or the drop.
    bool accepted = false;
};

}  // namespace Window
