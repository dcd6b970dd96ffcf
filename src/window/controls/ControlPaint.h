#pragma once
// What drawn controls share when they paint: a draw scope over the
// control's visible rectangle with the origin at its full rectangle (so a
// control scrolled half out of view draws at its true place, clipped), the
// host window's style brushes, and outlines drawn inside the edges.
#include "media/draw/ColorBrushList.h"
#include "media/draw/RenderTarget.h"
#include "window/WindowControlRenderTarget.h"

#include <optional>

namespace Control {

using Brushes = Resource::ColorBrushList;

class PaintScope {
public:
    explicit PaintScope(Window::WindowControlRenderTarget& control);
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    // Nothing is drawn: the control is hidden, has no visible area or no
    // host window.
    bool empty() const { return !scope_; }
    // The full rectangle's size.
    int width() const { return width_; }
    int height() const { return height_; }
    Brushes& brushes() { return *brushes_; }

private:
    std::optional<Media::RenderTarget::DrawScope> scope_;
    Brushes* brushes_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A rectangle at fractional pixels from the origin.
void fillRectangleF(Media::RenderTarget& target, float left, float top, float right, float bottom,
                    const Platform::Cairo::Brush& brush);

// A band of lineWidth pixels just inside the rectangle.
void drawOutline(Media::RenderTarget& target, int left, int top, int right, int bottom,
                 const Platform::Cairo::Brush& brush, int lineWidth);

}  // namespace Control
