#include "media/draw/RenderTargetWindow.h"

#include "platform/cairo/WindowSurface.h"
#include "platform/gtk/NativeWindow.h"

namespace Media {

RenderTargetWindow::RenderTargetWindow() = default;

RenderTargetWindow::~RenderTargetWindow() {
    // Drawing targets of controls point into the surface: none may draw now.
    target = nullptr;
    presenter = nullptr;
}

void RenderTargetWindow::createRenderTarget(Platform::WindowHandle window) {
    const Platform::RECT client = Platform::getClientRect(window);
    windowHandle = window;
    bind(std::make_unique<Platform::Cairo::WindowSurface>(window, client.right, client.bottom));
}

void RenderTargetWindow::createRenderTarget(int width, int height) {
    windowHandle = nullptr;
    bind(std::make_unique<Platform::Cairo::WindowSurface>(nullptr, width, height));
}

void RenderTargetWindow::bind(std::unique_ptr<Platform::Cairo::WindowSurface> surface) {
    surface_ = std::move(surface);
    target = &surface_->context();
    presenter = surface_.get();
    clientWidth = drawWidth = surface_->width();
    clientHeight = drawHeight = surface_->height();
    brushList.target = target;
    bitmapList.target = target;
}

void RenderTargetWindow::resizeRenderTarget(int width, int height) {
    clientWidth = width;
    clientHeight = height;
    drawWidth = width;
    drawHeight = height;
    if (surface_) surface_->resize(width, height);
}

void RenderTargetWindow::paint(cairo_t* frame, const std::function<void()>& draw) {
    if (!surface_) return;
    surface_->beginPaint(frame);
    try {
        draw();
    } catch (...) {
        surface_->endPaint();
        throw;
    }
    surface_->endPaint();
}

cairo_surface_t* RenderTargetWindow::backBuffer() const { return surface_ ? surface_->backBuffer() : nullptr; }

}  // namespace Media
