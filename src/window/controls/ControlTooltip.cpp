#include "window/controls/ControlTooltip.h"

#include "platform/gtk/SystemParameters.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowControl.h"

namespace Control {

void showTooltipBelowPointer(const std::wstring& text) {
    if (text.empty() || !showTooltipCall) return;
    Platform::POINT point = Platform::getCursorPos();
    point.y += Setting::systemCursorHeight();
    showTooltipCall(point, text, -1);
}

void showTooltipRightOf(const Window::WindowControl& control, const std::wstring& text) {
    if (text.empty() || !showTooltipCall) return;
    const Window::Rect& full = control.fullRect();
    showTooltipCall(Platform::clientToScreen(control.window, {full.x + full.width, full.y}), text, -1);
}

}  // namespace Control
