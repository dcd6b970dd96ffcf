#pragma once
// The back buffer of a program window and its presentation (GDK). All
// drawing of a window goes into one opaque image of the client size; the
// window shows it:
// - at the end of each drawing (endDraw), for the rectangles drawn, at once;
// - while the toolkit repaints the window (WM_PAINT, between beginPaint and
//   endPaint), into the toolkit's frame, which at its end shows the whole
//   back buffer for the area being repainted.
// A drawing that failed is not shown: the back buffer and its context are
// made afresh and the window is asked to repaint, so a lost picture costs
// one repaint, not the program.
//
// Without a window (tests, tools) the back buffer is just an image.
// User-interface thread only.
#include "platform/cairo/DeviceContext.h"
#include "platform/gtk/Messages.h"

namespace Platform::Cairo {

class WindowSurface {
public:
    // The window's client size; the handle may be null for an image of
    // width x height that is shown nowhere.
    WindowSurface(WindowHandle window, int width, int height);
    ~WindowSurface();
    WindowSurface(const WindowSurface&) = delete;
    WindowSurface& operator=(const WindowSurface&) = delete;

    DeviceContext& context() { return context_; }
    WindowHandle window() const { return window_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The back buffer (owned by the surface).
    cairo_surface_t* backBuffer() const { return backBuffer_; }

    // A new back buffer of the size, keeping what fits of the old picture.
    void resize(int width, int height);

    void beginDraw() { context_.beginDraw(); }
    // Ends the drawing and shows it; returns the drawing's status.
    cairo_status_t endDraw();

    void beginPaint(cairo_t* frame);
    void endPaint();
    bool painting() const { return frame_ != nullptr; }

private:
    void present(cairo_region_t* region);
    void recover();

    WindowHandle window_;
    int width_;
    int height_;
    cairo_surface_t* backBuffer_ = nullptr;
    DeviceContext context_;
    cairo_t* frame_ = nullptr;
};

}  // namespace Platform::Cairo
