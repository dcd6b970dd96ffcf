#pragma once
// The drawing target of a window's back buffer or of a texture's picture:
// the 2D operations of the user interface over one Cairo context.
//
// - Drawing happens between beginDraw and endDraw. Errors of the drawing
//   calls are not raised one by one: endDraw reports the first of them, as
//   Cairo keeps it, and the context is then made afresh.
// - Clips nest as a stack of pixel-aligned rectangles.
// - What is drawn is recorded as damage (the clip rectangles in force), so
//   a window can show just the changed part.
// - One thread at a time; the surface is owned by the caller and must stay
//   while it is the target.
#include "platform/cairo/Brush.h"
#include "platform/cairo/DrawTypes.h"
#include "platform/cairo/PathGeometry.h"
#include "platform/cairo/StrokeStyle.h"
#include "platform/cairo/TextLayout.h"

#include <cairo.h>

#include <vector>

namespace Platform::Cairo {

class DeviceContext {
public:
    DeviceContext() = default;
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // Null detaches. The context keeps its own reference to the surface.
    void setTarget(cairo_surface_t* surface);
    cairo_surface_t* getTarget() const { return target_; }
    int pixelWidth() const;
    int pixelHeight() const;
    // The Cairo context of the target (null without one), for libraries
    // that make pictures for it.
    cairo_t* cairo() const { return cr_; }

    void beginDraw();
    // Success, or the first failure since beginDraw (an unbalanced clip
    // stack included); afterwards no clip is left and, after a failure, the
    // context is made afresh.
    cairo_status_t endDraw();
    bool isDrawing() const { return drawing_; }

    // Per-primitive antialiasing (the default) or aliased edges.
    void setAntialias(bool antialias);

    void pushAxisAlignedClip(const RectF& rect);
    void popAxisAlignedClip();
    std::size_t clipDepth() const { return clips_.size(); }

    // Replaces the pixels inside the clip.
    void clear(const ColorF& color);
    void fillRectangle(const RectF& rect, const Brush& brush);
    void drawRectangle(const RectF& rect, const Brush& brush, float width, const StrokeStyle* style);
    void drawLine(PointF from, PointF to, const Brush& brush, float width, const StrokeStyle* style);
    void fillEllipse(PointF center, float radiusX, float radiusY, const Brush& brush);
    void drawEllipse(PointF center, float radiusX, float radiusY, const Brush& brush, float width,
                     const StrokeStyle* style);
    void fillGeometry(const PathGeometry& geometry, const Brush& brush, float offsetX = 0, float offsetY = 0);
    void drawGeometry(const PathGeometry& geometry, const Brush& brush, float width, const StrokeStyle* style,
                      float offsetX = 0, float offsetY = 0);
    // The bitmap's source rectangle (all of it when null) into destination.
    void drawBitmap(cairo_surface_t* bitmap, const RectF& destination, float opacity, Interpolation interpolation,
                    const RectF* source = nullptr);
    // The layout's box at origin; with clip, nothing outside the box.
    void drawTextLayout(PointF origin, const TextLayout& layout, const Brush& brush, bool clip);

    // A new transparent bitmap for this target (owned by the caller; null
    // without a target).
    cairo_surface_t* createBitmap(int width, int height) const;
    // Copies the target's pixels of source into bitmap at (x, y).
    cairo_status_t copyToBitmap(cairo_surface_t* bitmap, int x, int y, const RectF& source) const;

    // The rectangles drawn into since the last call, in pixels; emptied.
    cairo_region_t* takeDamage();
    // Marks the whole target as drawn.
    void damageAll();

private:
    void makeContext();
    void touch(const RectF* bounds = nullptr);
    void stroke(const Brush& brush, float width, const StrokeStyle* style);

    cairo_surface_t* target_ = nullptr;
    cairo_t* cr_ = nullptr;
    bool drawing_ = false;
    bool antialias_ = true;
    std::vector<RectF> clips_;
    cairo_region_t* damage_ = nullptr;
};

}  // namespace Platform::Cairo
