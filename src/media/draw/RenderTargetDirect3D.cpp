#include "media/draw/RenderTargetDirect3D.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "media/draw/Direct2DService.h"
#include "media/gpu/ResourceBuffer.h"
#include "platform/cairo/TextureUpload.h"

namespace Media {

namespace {
constexpr HRESULT kNoInterface = static_cast<HRESULT>(0x80004002);
}

RenderTargetDirect3D ResourceBuffer::getSurface() {
    // Only a picture a render target may write can be drawn into.
    if (!getTexture() || !(getTexture()->bindFlags() & Platform::Gl::Texture::RenderTarget))
        throw System::makeHResultException("buffer.As", "Media::ResourceBuffer::getSurface", kNoInterface);
    return RenderTargetDirect3D(*this);
}

RenderTargetDirect3D::RenderTargetDirect3D(ResourceBuffer& buffer)
    : buffer_(&buffer),
      image_(Platform::Cairo::createTextureImage(static_cast<int>(buffer.getWidth()),
                                                 static_cast<int>(buffer.getHeight()))) {
    context_.setTarget(image_);
}

RenderTargetDirect3D::~RenderTargetDirect3D() {
    if (locked_) Direct2DService::Get().leave();
    context_.setTarget(nullptr);
    if (image_) cairo_surface_destroy(image_);
}

void RenderTargetDirect3D::beginDraw() {
    if (Direct2DService* service = System::Singleton<Direct2DService>::getInstance()) {
        service->enter();
        locked_ = true;
    }
    context_.beginDraw();
}

void RenderTargetDirect3D::endDraw() {
    context_.endDraw();
    struct Leave {
        bool& locked;
        ~Leave() {
            if (locked) Direct2DService::Get().leave();
            locked = false;
        }
    } leave{locked_};
    Platform::Cairo::uploadToTexture(image_, *buffer_->getTexture(), "Media::RenderTargetDirect3D::endDraw");
}

void RenderTargetDirect3D::drawGeometry(const Platform::Cairo::PathGeometry& geometry,
                                        const Platform::Cairo::Brush* fill, float x, float y,
                                        const Platform::Cairo::Brush* stroke, float strokeWidth,
                                        const Platform::Cairo::StrokeStyle* strokeStyle) {
    if (stroke && strokeWidth > 0) context_.drawGeometry(geometry, *stroke, strokeWidth, strokeStyle, x, y);
    if (fill) context_.fillGeometry(geometry, *fill, x, y);
}

}  // namespace Media
