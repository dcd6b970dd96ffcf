#include "platform/cairo/WindowSurface.h"

#include "platform/gtk/NativeWindow.h"

#include <gtk/gtk.h>

#include <algorithm>

namespace Platform::Cairo {

namespace {

cairo_surface_t* makeBackBuffer(int width, int height) {
    return cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), std::max(height, 1));
}

// The widget the window's client area is drawn on.
// The drawing area, below the menu bar when the window has one.
GtkWidget* clientWidget(WindowHandle window) { return toolkitArea(window); }

}  // namespace

WindowSurface::WindowSurface(WindowHandle window, int width, int height)
    : window_(window), width_(width), height_(height), backBuffer_(makeBackBuffer(width, height)) {
    context_.setTarget(backBuffer_);
}

WindowSurface::~WindowSurface() {
    context_.setTarget(nullptr);
    cairo_surface_destroy(backBuffer_);
}

void WindowSurface::resize(int width, int height) {
    if (width == width_ && height == height_) return;
    cairo_surface_t* old = backBuffer_;
    backBuffer_ = makeBackBuffer(width, height);
    cairo_t* cr = cairo_create(backBuffer_);
    cairo_set_source_surface(cr, old, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    width_ = width;
    height_ = height;
    context_.setTarget(backBuffer_);
    cairo_surface_destroy(old);
}

cairo_status_t WindowSurface::endDraw() {
    const cairo_status_t status = context_.endDraw();
    cairo_region_t* damage = context_.takeDamage();
    if (status == CAIRO_STATUS_SUCCESS)
        present(damage);
    else
        recover();
    cairo_region_destroy(damage);
    return status;
}

void WindowSurface::recover() {
    if (cairo_surface_status(backBuffer_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(backBuffer_);
        backBuffer_ = makeBackBuffer(width_, height_);
        context_.setTarget(backBuffer_);
    }
    if (window_) invalidateRect(window_, nullptr);
}

void WindowSurface::present(cairo_region_t* region) {
    // Inside a repaint the frame shows everything when it ends.
    if (!window_ || frame_ || cairo_region_is_empty(region)) return;
    GtkWidget* area = clientWidget(window_);
    GdkWindow* target = area ? gtk_widget_get_window(gtk_widget_get_toplevel(area)) : nullptr;
    if (!target || !gdk_window_is_viewable(target)) return;
    int x = 0;
    int y = 0;
    gtk_widget_translate_coordinates(area, gtk_widget_get_toplevel(area), 0, 0, &x, &y);
    cairo_region_translate(region, x, y);
    GdkDrawingContext* drawing = gdk_window_begin_draw_frame(target, region);
    cairo_t* cr = gdk_drawing_context_get_cairo_context(drawing);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, backBuffer_, x, y);
    gdk_cairo_region(cr, region);
    cairo_fill(cr);
    gdk_window_end_draw_frame(target, drawing);
    // Shown now, not when the loop next runs.
    gdk_display_flush(gdk_window_get_display(target));
}

void WindowSurface::beginPaint(cairo_t* frame) { frame_ = frame; }

void WindowSurface::endPaint() {
    if (!frame_) return;
    cairo_save(frame_);
    cairo_set_operator(frame_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(frame_, backBuffer_, 0, 0);
    cairo_paint(frame_);
    cairo_restore(frame_);
    frame_ = nullptr;
}

}  // namespace Platform::Cairo
