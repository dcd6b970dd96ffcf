#include "window/InputBlock.h"

namespace Window {

bool inputEnable = true;
std::function<bool(Platform::WindowHandle, UINT, WPARAM, LPARAM)> inputHook;

}  // namespace Window
