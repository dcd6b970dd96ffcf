#include "window/controls/TextIconButtonControl.h"

#include "media/draw/TextLayout.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlTooltip.h"

#include <algorithm>
#include <cmath>

namespace Control {

namespace {

Resource::TextFormat* controlFont(Resource::TextFormatList* list) {
    return list ? &(*list)[Resource::TextFormatList::Control] : nullptr;
}

}  // namespace

TextIconButtonControl::IconControl::IconControl(TextIconButtonControl& button)
    : WindowMouse(button.window, &area, button.priority + 1), button(button) {
    visible = false;
}

void TextIconButtonControl::IconControl::procLButtonDown(int, int) {
    if (service && service->pressed) {
        service->pressed->captured = true;
        service->dragMoved = true;
    }
    button.procPaint();
    if (button.onIconClick) button.onIconClick(button);
}

void TextIconButtonControl::IconControl::procMouseEnter() { button.procPaint(); }

void TextIconButtonControl::IconControl::procMouseLeave() { button.procPaint(); }

void TextIconButtonControl::IconControl::procCaptureLost() { button.procPaint(); }

void TextIconButtonControl::IconControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    showTooltipBelowPointer(button.iconTooltip);
}

TextIconButtonControl::TextIconButtonControl(Window::WindowControlOwner& owner, int left, int top, int right,
                                             int bottom)
    : ButtonControl(owner, left, top, right, bottom), textFormat(controlFont(fontList)), iconControl(*this) {
    procMove();
}

TextIconButtonControl::TextIconButtonControl(Window::WindowControl& parent, int left, int top, int right,
                                             int bottom)
    : ButtonControl(parent, left, top, right, bottom), textFormat(controlFont(fontList)), iconControl(*this) {
    procMove();
}

void TextIconButtonControl::procMove() {
    const Window::Rect& v = visibleRect();
    iconControl.area = {v.x + v.width - v.height, v.y, v.height, v.height};
    iconControl.visible = iconBitmap != nullptr && visible;
    iconControl.enabled = enabled;
}

void TextIconButtonControl::detach() {
    iconControl.detach();
    ButtonControl::detach();
}

void TextIconButtonControl::procPaint() {
    procMove();  // the picture may have been set or cleared since
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    const int w = scope.width();
    const int h = scope.height();
    fill(brushes[stateFace(*this)]);
    if (textFormat) {
        Resource::TextLayout layout(textFormat->get(), text);
        const Platform::Cairo::TextMetrics metrics = layout.getMetrics();
        const float x = std::max((static_cast<float>(w) - std::ceil(metrics.width)) / 2, 3.0f);
        const float y = std::max((static_cast<float>(h) - std::ceil(metrics.height)) / 2, 3.0f);
        drawTextLayout(x, y, *layout.get(), brushes[enabled ? Brushes::Text : Brushes::TextDisable], true);
    }
    if (iconBitmap) {
        // The square in the control's own coordinates.
        const Window::Rect& full = fullRect();
        const int x0 = iconControl.area.x - full.x;
        const int y0 = iconControl.area.y - full.y;
        const int side = iconControl.area.height;
        float opacity = 0.7f;
        if (iconControl.hover) {
            fillRectangle(x0, y0, x0 + side, y0 + side, brushes[stateFace(iconControl)]);
            opacity = 1.0f;
        }
        drawBitmap(iconBitmap, x0 + 3, y0 + 3, x0 + side - 3, y0 + side - 3, opacity);
    }
    drawOutline(*this, 0, 0, w, h, brushes[Brushes::Border], 2);
}

}  // namespace Control
