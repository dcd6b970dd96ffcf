#include "media/draw/WindowTemporaryImage.h"

#include "core/base/Exception.h"
#include "platform/cairo/CairoError.h"

namespace Media {

namespace {
constexpr const char* kPlace = "Media::WindowTemporaryImage::pushImage";
}

void WindowTemporaryImage::pushImage(const int* position, RenderTarget& control, int stripX, int stripWidth,
                                     int stripHeight) {
    position_ = position;
    render_ = &control;
    Platform::Cairo::DeviceContext* context = control.target;
    if (!context) return;
    if (!image_.get() || stripWidth != width || stripHeight != height) {
        image_.reset();
        cairo_surface_t* bitmap = context->createBitmap(stripWidth, stripHeight);
        if (!bitmap) Platform::Cairo::throwStatus(CAIRO_STATUS_NULL_POINTER, "render->target->CreateBitmap", kPlace);
        const cairo_status_t status = cairo_surface_status(bitmap);
        if (status != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(bitmap);
            Platform::Cairo::throwStatus(status, "render->target->CreateBitmap", kPlace);
        }
        image_.set(bitmap);
    }
    x = stripX;
    y = 0;
    width = stripWidth;
    height = stripHeight;
    const float px = static_cast<float>(position[0]);
    const float py = static_cast<float>(position[1]);
    Platform::Cairo::checkStatus(
        context->copyToBitmap(image_.get(), 0, 0, {px + x, py, px + x + width, py + height}),
        "image->CopyFromRenderTarget", kPlace);
}

void WindowTemporaryImage::popImage() {
    cairo_surface_t* bitmap = image_.createResource();
    if (!render_ || !render_->target) return;
    RenderTarget::beginDraw(*render_);
    const float px = static_cast<float>(position_[0]);
    const float py = static_cast<float>(position_[1]);
    render_->target->drawBitmap(bitmap, {px + x, py + y, px + x + width, py + y + height}, 1.0f,
                                Platform::Cairo::Interpolation::NearestNeighbor);
    RenderTarget::endDraw(*render_);
}

}  // namespace Media
