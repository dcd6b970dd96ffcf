#include "settings/color/EffectColorCircleControl.h"

#include "media/draw/ColorBrushList.h"
#include "settings/color/EffectColorSettingComponent.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"

#include <cairo.h>

namespace Component {

EffectColorCircleControl::EffectColorCircleControl(Window::WindowControlOwner& owner,
                                                   EffectColorSettingComponent& window)
    : WindowControlRenderTarget(owner, 0, 0, 1, 1), window(window) {}

void EffectColorCircleControl::procMove() {
    const Window::Rect& full = fullRect();
    geometry = ColorWheelGeometry::fromSize(full.width, full.height);
    updateBitmap();
}

void EffectColorCircleControl::updateBitmap() {
    const std::size_t size = static_cast<std::size_t>(geometry.d) * geometry.d;
    if (geometry.d == 0 || (cachedHue == window.state.hue && bitmap.size() == size)) return;
    cachedHue = window.state.hue;
    bitmap = geometry.buildBitmap(window.state.hue, window.colorCircleAngle);
}

void EffectColorCircleControl::procPaint() {
    const Window::Rect& full = fullRect();
    if (!visible || full.width <= 0 || full.height <= 0) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Control::Brushes& brushes = scope.brushes();
    fill(brushes[Control::Brushes::Grouping]);
    const ColorWheelGeometry& g = geometry;
    if (g.d <= 0) return;
    updateBitmap();
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(bitmap.data()), CAIRO_FORMAT_ARGB32, g.d, g.d, g.d * 4);
    drawBitmap(surface, g.ox, g.oy, g.ox + g.d, g.oy + g.d);
    cairo_surface_destroy(surface);

    const float cx = g.centreX(), cy = g.centreY();
    if (hoverMode == 1) {
        const auto& hoverBrush = brushes[Control::Brushes::AnchorHover];
        drawEllipse(cx, cy, g.d / 2.0f, g.d / 2.0f, hoverBrush, 1.5f);
        drawEllipse(cx, cy, (g.d - 2 * g.ring) / 2.0f, (g.d - 2 * g.ring) / 2.0f, hoverBrush, 1.5f);
    } else if (hoverMode == 2) {
        const float half = g.sq / 2.0f + 0.5f;
        const float box[8] = {cx - half, cy - half, cx + half, cy - half, cx + half, cy + half, cx - half, cy + half};
        drawPath(box, 4, brushes[Control::Brushes::AnchorHover], 1.2f, nullptr);
    }
    const ColorWheelGeometry::Marker m = g.hueMarker(window.state.hue, window.colorCircleAngle);
    const float along = (g.ring - 2) / 2.0f, across = 1.5f;
    const float ax = m.dirX * along, ay = m.dirY * along, bx = -m.dirY * across, by = m.dirX * across;
    const float corners[8] = {m.x + ax + bx, m.y + ay + by, m.x + ax - bx, m.y + ay - by,
                              m.x - ax - bx, m.y - ay - by, m.x - ax + bx, m.y - ay + by};
    drawPath(corners, 4, brushes[Control::Brushes::Anchor], 2, nullptr);
    float sx = 0, sy = 0;
    g.svMarker(window.state.saturation, window.state.value, sx, sy);
    drawEllipse(sx, sy, 3.5f, 3.5f, brushes[Control::Brushes::AnchorEdge], 4);
    drawEllipse(sx, sy, 3.5f, 3.5f, brushes[Control::Brushes::Anchor], 2);
}

void EffectColorCircleControl::procMouseMove(int x, int y) {
    lastX = x, lastY = y;
    const int mode = geometry.hoverMode(x, y);
    if (mode == hoverMode) return;
    hoverMode = mode;
    procPaint();
}

void EffectColorCircleControl::procMouseLeave() {
    hoverMode = 0;
    procPaint();
}

void EffectColorCircleControl::procLButtonDown(int x, int y) {
    if (hoverMode == 0 || dragMode != 0) return;
    dragMode = hoverMode;
    if (service) service->startDrag(0, 0, nullptr);
    window.beginUndoGroup();
    pickAt(x, y);
}

void EffectColorCircleControl::procMouseDrag(int x, int y) {
    lastX = x, lastY = y;
    if (dragMode != 0) pickAt(x, y);
}

void EffectColorCircleControl::pickAt(int x, int y) {
    ColorState& state = window.state;
    if (dragMode == 1) {
        const auto hue = geometry.ringHueAt(static_cast<float>(x), static_cast<float>(y), window.colorCircleAngle);
        if (!hue) return;
        state.setHsv(*hue, state.saturation, state.value);
    } else if (dragMode == 2) {
        float s = 0, v = 0;
        geometry.squareValueAt(static_cast<float>(x), static_cast<float>(y), s, v);
        state.setHsv(state.hue, s, v);
    } else {
        return;
    }
    window.applyColor();
}

void EffectColorCircleControl::endDrag() {
    if (dragMode == 0) return;
    dragMode = 0;
    window.commitUndoGroup();
    procMouseMove(lastX, lastY);
}

void EffectColorCircleControl::procCaptureLost() { endDrag(); }

void EffectColorCircleControl::procKeyUp() { endDrag(); }

}  // namespace Component
