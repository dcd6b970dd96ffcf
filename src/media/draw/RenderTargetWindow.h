#pragma once
// The drawing target of a program window (the main window and each
// floating window): its own owner, with the window's back buffer, its style
// brushes and its pictures. Panels and controls of the window draw through
// targets made from this one and share its nesting.
//
// createRenderTarget binds it to a window (or, without one, to an image of a
// size: tests and tools). Until then scopes draw nothing. User-interface
// thread only.
#include "media/draw/BitmapList.h"
#include "media/draw/ColorBrushList.h"
#include "media/draw/RenderTarget.h"
#include "platform/gtk/Messages.h"

#include <functional>
#include <memory>

namespace Media {

class RenderTargetWindow : public RenderTarget {
public:
    RenderTargetWindow();
    ~RenderTargetWindow();

    // A new back buffer of the window's client size (replacing an earlier
    // one); the draw rectangle takes its size.
    void createRenderTarget(Platform::WindowHandle window);
    // An image of the size, shown nowhere.
    void createRenderTarget(int width, int height);
    bool hasRenderTarget() const { return surface_ != nullptr; }
    // WM_SIZE: the new client size.
    void resizeRenderTarget(int width, int height);
    // WM_PAINT with the toolkit's frame: draw paints into the back buffer
    // (through scopes), and the frame then shows the back buffer. Without a
    // target nothing is drawn.
    void paint(cairo_t* frame, const std::function<void()>& draw);
    // The back buffer (null without a target).
    cairo_surface_t* backBuffer() const;

    int clientWidth = 0;
    int clientHeight = 0;
    Platform::WindowHandle windowHandle = nullptr;
    Resource::ColorBrushList brushList;
    Resource::BitmapList bitmapList;

private:
    void bind(std::unique_ptr<Platform::Cairo::WindowSurface> surface);

    // Released first: nothing is drawn with the lists afterwards.
    std::unique_ptr<Platform::Cairo::WindowSurface> surface_;
};

}  // namespace Media
