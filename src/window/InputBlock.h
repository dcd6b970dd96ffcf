#pragma once
// The input block of an export: while inputEnable is false the program's
// windows pass their messages to inputHook first and drop closing, keys,
// menu commands, mouse input and drops (see dispatchWindowMessage).
// User-interface thread only.
#include "platform/gtk/Messages.h"

#include <functional>

namespace Window {

extern bool inputEnable;
extern std::function<bool(Platform::WindowHandle, UINT, WPARAM, LPARAM)> inputHook;

}  // namespace Window
