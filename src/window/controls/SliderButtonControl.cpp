#include "window/controls/SliderButtonControl.h"

#include "window/WindowMouseService.h"
#include "window/controls/ControlTooltip.h"

namespace Component {

void SliderButtonControl::procLButtonDown(int x, int y) {
    // The up-down cursor; the drag starts once the pointer passed the
    // threshold, measured from the press.
    if (service) service->startDrag(x, y, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorUpDown));
    procPaint();
    showTooltip(getValueText());
    dragStartValue = getValue();
}

void SliderButtonControl::procMouseDrag(int, int y) {
    changeValue(dragStartValue, -y / 2);
    showTooltip(getValueText());
}

void SliderButtonControl::showTooltip(const std::wstring& text) { Control::showTooltipRightOf(*this, text); }

}  // namespace Component
