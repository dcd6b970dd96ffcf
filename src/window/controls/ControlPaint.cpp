#include "window/controls/ControlPaint.h"

#include "media/draw/RenderTargetWindow.h"
#include "platform/cairo/DeviceContext.h"

namespace Control {

PaintScope::PaintScope(Window::WindowControlRenderTarget& control) {
    const Window::Rect& visible = control.visibleRect();
    const Window::Rect& full = control.fullRect();
    width_ = full.width;
    height_ = full.height;
    if (!control.visible || !control.host || visible.width <= 0 || visible.height <= 0) return;
    brushes_ = &control.host->brushList;
    // The window may have made its drawing target after the control.
    control.target = control.Media::RenderTarget::owner->target;
    scope_.emplace(control, visible.x, visible.y, visible.x + visible.width, visible.y + visible.height, true);
    control.originX = full.x;
    control.originY = full.y;
}

void fillRectangleF(Media::RenderTarget& target, float left, float top, float right, float bottom,
                    const Platform::Cairo::Brush& brush) {
    if (!target.target) return;
    const float x = static_cast<float>(target.originX);
    const float y = static_cast<float>(target.originY);
    target.target->fillRectangle(Platform::Cairo::RectF{left + x, top + y, right + x, bottom + y}, brush);
}

void drawOutline(Media::RenderTarget& target, int left, int top, int right, int bottom,
                 const Platform::Cairo::Brush& brush, int lineWidth) {
    if (right <= left || bottom <= top) return;
    target.fillRectangle(left, top, right, top + lineWidth, brush);
    target.fillRectangle(left, bottom - lineWidth, right, bottom, brush);
    target.fillRectangle(left, top + lineWidth, left + lineWidth, bottom - lineWidth, brush);
    target.fillRectangle(right - lineWidth, top + lineWidth, right, bottom - lineWidth, brush);
}

}  // namespace Control
