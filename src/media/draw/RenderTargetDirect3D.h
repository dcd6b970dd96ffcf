#pragma once
// Drawing into a GPU picture with the 2D drawing layer (text, figures, SVG
// documents, masks): the drawing goes into a transparent ARGB32 image of
// the buffer's size, and endDraw uploads it into the buffer's texture,
// converted into the buffer's format (premultiplied half floats for the
// pixel format, alpha for masks). The upload replaces the texture's
// pixels: callers draw onto a cleared buffer.
//
// Protocol (any thread): beginDraw enters the 2D service's drawing lock,
// draw through context(), endDraw uploads and leaves the lock. The buffer
// must be one with a render-target binding (ResourceBuffer's bind rule).
#include "platform/cairo/DeviceContext.h"

namespace Media {

class ResourceBuffer;

class RenderTargetDirect3D {
public:
    explicit RenderTargetDirect3D(ResourceBuffer& buffer);
    ~RenderTargetDirect3D();
    RenderTargetDirect3D(const RenderTargetDirect3D&) = delete;
    RenderTargetDirect3D& operator=(const RenderTargetDirect3D&) = delete;

    void beginDraw();
    // The drawing's errors are ignored, as the picture is still usable; a
    // failed upload throws (after the lock was left).
    void endDraw();

    Platform::Cairo::DeviceContext& context() { return context_; }

    // The geometry moved by (x, y): its outline stroked first (when a stroke
    // brush is given and the width is above 0), then filled over it (when a
    // fill brush is given).
    void drawGeometry(const Platform::Cairo::PathGeometry& geometry, const Platform::Cairo::Brush* fill, float x,
                      float y, const Platform::Cairo::Brush* stroke, float strokeWidth,
                      const Platform::Cairo::StrokeStyle* strokeStyle);

private:
    ResourceBuffer* buffer_;
    cairo_surface_t* image_ = nullptr;
    Platform::Cairo::DeviceContext context_;
    bool locked_ = false;
};

}  // namespace Media
