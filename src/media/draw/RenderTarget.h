#pragma once
// What windows, panels and controls draw through: a view onto their
// window's drawing target with a current draw rectangle and a draw origin,
// in whole pixels of the window.
//
// - A window's target is its own owner; a control's target shares its
//   window's drawing target and the window's nesting count. Only the
//   outermost draw scope of a window begins and ends drawing, and ending it
//   shows what was drawn.
// - A draw scope (RAII) sets the rectangle and puts the origin at its
//   corner, clipping to it; leaving restores both. Scopes nest freely.
// - Every drawing operation takes coordinates relative to the origin.
// - A target without a drawing target (no window yet) keeps its scopes and
//   rectangles and draws nothing.
// User-interface thread only.
#include "media/draw/Direct2DInstance.h"
#include "platform/cairo/DeviceContext.h"

#include <string>

namespace Platform::Cairo {
class WindowSurface;
}

namespace Media {

class RenderTarget : public Direct2DInstance {
public:
    struct Point {
        float x;
        float y;
    };
    struct Rectangle {
        float left;
        float top;
        float right;
        float bottom;
    };
    struct IconLine {
        float x1;
        float y1;
        float x2;
        float y2;
        float width;
    };
    // A small vector drawing in icon units; each part may be absent.
    struct Icon {
        const Point* triangle = nullptr;  // three points
        const Rectangle* rectangle = nullptr;
        const IconLine* lines = nullptr;
        int lineCount = 0;
    };

    class DrawScope {
    public:
        // Absolute: the rectangle (left, top, right, bottom) in window
        // pixels; no clip when it equals the current one. Relative: moved by
        // the current rectangle's corner.
        DrawScope(RenderTarget& target, int left, int top, int right, int bottom, bool absolute = false);
        ~DrawScope();
        DrawScope(const DrawScope&) = delete;
        DrawScope& operator=(const DrawScope&) = delete;

    private:
        RenderTarget& counted_;
        RenderTarget& target_;
        int savedX_, savedY_, savedWidth_, savedHeight_;
        int savedOriginX_, savedOriginY_;
        bool clipped_ = false;
    };

    // A window-level target: its own owner, nothing to draw on yet.
    RenderTarget();
    // A control's target in its window: the window's drawing target (as it
    // is now) and nesting.
    explicit RenderTarget(RenderTarget& window);
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // Closes one nesting level of the target's owner; the outermost ends the
    // drawing and shows it. A failed drawing is logged with its exception
    // text ("target->EndDraw") and not raised: the window repaints instead.
    static void endDraw(RenderTarget& target);
    // Opens one nesting level (beginning the drawing at the outermost).
    static void beginDraw(RenderTarget& target);

    // The current draw rectangle, filled.
    void fill(const Platform::Cairo::Brush& brush);
    void fillRectangle(int left, int top, int right, int bottom, const Platform::Cairo::Brush& brush);
    // Outlined half a pixel inside the rectangle, so a width of 1 covers its
    // edge pixels.
    void drawRectangle(int left, int top, int right, int bottom, const Platform::Cairo::Brush& brush,
                       float strokeWidth, const Platform::Cairo::StrokeStyle* style = nullptr);
    // Through the centres of the two pixels.
    void drawLine(int x1, int y1, int x2, int y2, const Platform::Cairo::Brush& brush, float strokeWidth,
                  const Platform::Cairo::StrokeStyle* style = nullptr);
    void drawEllipse(float centerX, float centerY, float radiusX, float radiusY,
                     const Platform::Cairo::Brush& brush, float strokeWidth);
    void fillEllipse(float centerX, float centerY, float radiusX, float radiusY,
                     const Platform::Cairo::Brush& brush);
    // Linear filtering.
    void drawBitmap(cairo_surface_t* bitmap, int left, int top, int right, int bottom, float opacity = 1.0f);
    // A closed polygon through count points (x, y pairs).
    void drawPath(const float* points, int count, const Platform::Cairo::Brush& brush, float strokeWidth,
                  const Platform::Cairo::StrokeStyle* style);
    // The triangle through exactly three points (x, y pairs).
    void fillPath(const float* points, const Platform::Cairo::Brush& brush);
    // A rectangle filled with the gradient running from its left to its
    // right edge at mid height, or (vertical) from its top centre to its
    // centre.
    void fillGradient(int left, int top, int right, int bottom, Platform::Cairo::LinearGradientBrush& brush,
                      bool vertical);
    void drawTextLayout(float x, float y, const Platform::Cairo::TextLayout& layout,
                        const Platform::Cairo::Brush& brush, bool clip = false);
    // Laid out in the format within the rectangle and clipped to it.
    void drawText(const std::wstring& text, Platform::Cairo::TextFormat& format, int left, int top, int right,
                  int bottom, const Platform::Cairo::Brush& brush);
    // (u, v) of the icon maps to (scaleX * u + x, scaleY * v + y); lines are
    // stroked scaleY times their width with round caps.
    void drawIcon(const Icon& icon, float x, float y, float scaleX, float scaleY,
                  const Platform::Cairo::Brush& brush);

    int drawX = 0;
    int drawY = 0;
    int drawWidth = 0;
    int drawHeight = 0;
    int originX = 0;
    int originY = 0;
    // Open scopes; meaningful on the owner.
    int nesting = 0;
    // Shared with the window; null until the window has one.
    Platform::Cairo::DeviceContext* target = nullptr;
    RenderTarget* owner;

protected:
    // Set on a window-level target: shows what its outermost scope drew.
    Platform::Cairo::WindowSurface* presenter = nullptr;

private:
    Platform::Cairo::PointF at(float x, float y) const;
};

}  // namespace Media
