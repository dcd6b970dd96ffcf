#pragma once
// Tooltips of the drawn controls. The tooltip service fills the call point
// when it starts; until then (and in tools) no tooltip shows.
#include "platform/gtk/Messages.h"

#include <functional>
#include <string>

namespace Window {
class WindowControl;
}

namespace Control {

// Shows text at a screen point: duration > 0 hides it after that many ms,
// 0 keeps it, < 0 hides it at the next mouse move or click.
inline std::function<void(Platform::POINT screen, const std::wstring& text, int duration)> showTooltipCall;

// Below the pointer (moved down by the cursor's height), until the next
// move. Nothing for an empty text.
void showTooltipBelowPointer(const std::wstring& text);
// At the right edge of the control, level with its top, until the next move.
void showTooltipRightOf(const Window::WindowControl& control, const std::wstring& text);

}  // namespace Control
