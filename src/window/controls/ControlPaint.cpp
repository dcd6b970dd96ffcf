#include "window/controls/ControlPaint.h"

#include "media/draw/RenderTargetWindow.h"

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

void drawOutline(Media::RenderTarget& target, int left, int top, int right, int bottom,
                 const Platform::Cairo::Brush& brush, int lineWidth) {
    if (right <= left || bottom <= top) return;
    target.fillRectangle(left, top, right, top + lineWidth, brush);
    target.fillRectangle(left, bottom - lineWidth, right, bottom, brush);
    target.fillRectangle(left, top + lineWidth, left + lineWidth, bottom - lineWidth, brush);
    target.fillRectangle(right - lineWidth, top + lineWidth, right, bottom - lineWidth, brush);
}

}  // namespace Control
