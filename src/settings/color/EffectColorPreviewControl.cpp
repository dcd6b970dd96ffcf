#include "settings/color/EffectColorPreviewControl.h"

#include "media/draw/ColorBrushList.h"
#include "platform/cairo/Brush.h"
#include "settings/color/EffectColorSettingComponent.h"
#include "window/controls/ControlPaint.h"

namespace Component {

namespace {

Platform::Cairo::SolidColorBrush solid(const float rgb[3]) { return Platform::Cairo::SolidColorBrush({rgb[0], rgb[1], rgb[2], 1.0f}); }

Platform::Cairo::SolidColorBrush grey(const float rgb[3]) {
    const float l = contrastGrey(rgb);
    return Platform::Cairo::SolidColorBrush({l, l, l, 1.0f});
}

void outline(Media::RenderTarget& target, float l, float t, float r, float b, const Platform::Cairo::Brush& brush,
             float width) {
    const float box[8] = {l, t, r, t, r, b, l, b};
    target.drawPath(box, 4, brush, width, nullptr);
}

}  // namespace

EffectColorPreviewControl::EffectColorPreviewControl(Window::WindowControlOwner& owner,
                                                     EffectColorSettingComponent& window)
    : WindowControlRenderTarget(owner, 0, 0, 1, 1), window(window) {}

void EffectColorPreviewControl::procMove() {
    const Window::Rect& full = fullRect();
    cornerX = full.width * 3 / 4;
    cornerY = full.height * 3 / 4;
}

void EffectColorPreviewControl::procMouseMove(int x, int y) {
    const bool over = x >= cornerX && y >= cornerY;
    if (over == hoverCorner) return;
    hoverCorner = over;
    procPaint();
}

void EffectColorPreviewControl::procMouseLeave() {
    if (!hoverCorner) return;
    hoverCorner = false;
    procPaint();
}

void EffectColorPreviewControl::procLButtonDown(int, int) {
    if (hoverCorner) window.swapWithPrevious();
}

void EffectColorPreviewControl::procPaint() {
    const Window::Rect& full = fullRect();
    if (!visible || full.width <= 0 || full.height <= 0) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    const int w = scope.width(), h = scope.height();
    const float* current = window.state.current;
    const float* previous = window.state.previous;
    fillRectangle(0, 0, w - 3, h - 3, solid(current));
    outline(*this, 0.5f, 0.5f, w - 3.5f, h - 3.5f, grey(current), 1);
    fillRectangle(cornerX, cornerY, w, h, solid(previous));
    outline(*this, cornerX + 0.5f, cornerY + 0.5f, w - 0.5f, h - 0.5f, grey(previous), 1.5f);
    if (hoverCorner) {
        Control::Brushes& brushes = scope.brushes();
        outline(*this, cornerX + 1.0f, cornerY + 1.0f, w - 1.0f, h - 1.0f, brushes[Control::Brushes::AnchorEdge], 3);
        outline(*this, cornerX + 1.0f, cornerY + 1.0f, w - 1.0f, h - 1.0f, brushes[Control::Brushes::AnchorHover], 2);
    }
}

}  // namespace Component
