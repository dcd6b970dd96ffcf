#include "media/gpu/ResourceBuffer.h"

#include "core/base/Exception.h"
#include "media/gpu/Direct3DService.h"
#include "media/image/ImageBuffer.h"
#include "media/gpu/ResourceConvert.h"
#include "platform/gl/DxgiFormat.h"

#include <algorithm>
#include <cstdint>

namespace Media {

namespace {

constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);
using Platform::Gl::Texture;

}  // namespace

ImageData ImageData::of(const ImageBuffer& image) {
    return {static_cast<int>(image.format), image.width, image.height, image.pitch,
            image.pixels.data};
}

ResourceBuffer::ResourceBuffer(UINT width, UINT height)
    : ResourceBuffer(width, height, Direct3DService::Get().pixelFormat) {}

ResourceBuffer::ResourceBuffer(UINT width, UINT height, int format, Contents contents) : format_(format) {
    if (width == 0 && height == 0) return;
    width_ = std::min(width, maxSide);
    height_ = std::min(height, maxSide);
    createTexture2D(nullptr, 0, contents);
}

std::unique_ptr<ResourceBuffer> ResourceBuffer::solid(UINT width, UINT height, const float premultiplied[4],
                                                      int format) {
    auto made = std::make_unique<ResourceBuffer>(0, 0, format ? format : Direct3DService::Get().pixelFormat);
    if (width == 0 || height == 0) return made;
    if (!Platform::Gl::findFormat(made->format_))
        throw System::makeHResultException("Direct3D.device->CreateTexture2D",
                                           "Media::ResourceBuffer::createTexture2D", kInvalidArgument);
    made->width_ = std::min(width, maxSide);
    made->height_ = std::min(height, maxSide);
    std::copy(premultiplied, premultiplied + 4, made->solidColor_);
    made->solid_ = true;
    return made;
}

void ResourceBuffer::fillSolid() const {
    // The same clear that would have filled it when it was made.
    auto& self = const_cast<ResourceBuffer&>(*this);
    self.createTexture2D(nullptr, 0, Contents::Undefined);
    texture_->clear(solidColor_, "Media::ResourceBuffer::clear");
}

ResourceBuffer::ResourceBuffer(const ImageData& image, const ConvertParameters& parameters)
    : format_(Direct3DService::Get().pixelFormat) {
    if (image.format == format_)
        copyFromImage(image);
    else
        ResourceConvert().convert(image, *this, parameters);
}

ResourceBuffer::~ResourceBuffer() { release(); }

unsigned ResourceBuffer::bindFlagsOf(int format) {
    const Direct3DService& service = Direct3DService::Get();
    // Half-float RGBA is always a full target: the 3D normal buffers need it
    // whatever the working format is.
    const bool target = format == service.pixelFormat || format == service.maskFormat ||
                        format == DXGI_FORMAT_R32_FLOAT || format == DXGI_FORMAT_R32G32_FLOAT ||
                        format == DXGI_FORMAT_R16G16B16A16_FLOAT;
    return target ? Texture::ShaderResource | Texture::RenderTarget | Texture::UnorderedAccess
                  : Texture::ShaderResource;
}

void ResourceBuffer::createTexture2D(const void* pixels, UINT pitch, Contents contents) {
    constexpr const char* kPlace = "Media::ResourceBuffer::createTexture2D";
    release();
    const Platform::Gl::Format* format = Platform::Gl::findFormat(format_);
    if (!format)
        throw System::makeHResultException("Direct3D.device->CreateTexture2D", kPlace,
                                           kInvalidArgument);
    if (pixels && pitch == 0) pitch = width_ * static_cast<UINT>(format->bytesPerPixel);
    texture_ = std::make_unique<Texture>(*Direct3DService::Get().device, *format,
                                         static_cast<GLsizei>(width_),
                                         static_cast<GLsizei>(height_), bindFlagsOf(format_),
                                         pixels, pitch, kPlace, contents);
}

void ResourceBuffer::checkView(unsigned flag, const char* call, const char* place) {
    if (solid_) fillSolid();
    if (!texture_ || !(texture_->bindFlags() & flag))
        throw System::makeHResultException(call, place, kInvalidArgument);
    if (flag == Texture::UnorderedAccess && !texture_->format().imageQualifier)
        throw System::makeHResultException(call, place, kInvalidArgument);
}

void ResourceBuffer::createShaderResourceView() {
    checkView(Texture::ShaderResource, "Direct3D.device->CreateShaderResourceView",
              "Media::ResourceBuffer::createShaderResourceView");
    shaderResourceView_ = true;
}

void ResourceBuffer::createRenderTargetView() {
    constexpr const char* kCall = "Direct3D.device->CreateRenderTargetView";
    constexpr const char* kPlace = "Media::ResourceBuffer::createRenderTargetView";
    checkView(Texture::RenderTarget, kCall, kPlace);
    texture_->checkRenderTarget(kCall, kPlace);
    renderTargetView_ = true;
}

void ResourceBuffer::createUnorderedAccessView() {
    checkView(Texture::UnorderedAccess, "Direct3D.device->CreateUnorderedAccessView",
              "Media::ResourceBuffer::createUnorderedAccessView");
    unorderedAccessView_ = true;
}

Texture& ResourceBuffer::getShaderResourceView() {
    if (!shaderResourceView_) createShaderResourceView();
    return *texture_;
}

Texture& ResourceBuffer::getRenderTargetView() {
    if (!renderTargetView_) createRenderTargetView();
    return *texture_;
}

Texture& ResourceBuffer::getUnorderedAccessView() {
    if (!unorderedAccessView_) createUnorderedAccessView();
    return *texture_;
}

void ResourceBuffer::release() {
    solid_ = false;
    unorderedAccessView_ = renderTargetView_ = shaderResourceView_ = false;
    texture_.reset();
}

void ResourceBuffer::copyFromImage(const ImageData& image) {
    width_ = image.width;
    height_ = image.height;
    // YUY2 rows are kept as the packed 4:2:2 texture format.
    format_ = image.format == DXGI_FORMAT_YUY2 ? DXGI_FORMAT_G8R8_G8B8_UNORM : image.format;
    createTexture2D(image.pixels, image.pitch);
}

void ResourceBuffer::copyFromRGBA(int format, const void* pixels, UINT width, UINT height) {
    constexpr const char* kPlace = "Media::ResourceBuffer::copyFromRGBA";
    if (width_ != 0 || height_ != 0) throw System::makeException(kPlace, "already allocated resource buffer.");
    if (format != DXGI_FORMAT_R8G8B8A8_UNORM && format != DXGI_FORMAT_B8G8R8A8_UNORM)
        throw System::makeException(kPlace, "invalid pixel format.");
    format_ = format;
    width_ = width;
    height_ = height;
    createTexture2D(pixels, width * 4);
}

void ResourceBuffer::clear(const float rgba[4]) {
    getRenderTargetView().clear(rgba, "Media::ResourceBuffer::clear");
}

void ResourceBuffer::copyRegion(ResourceBuffer& source, UINT x, UINT y, UINT width, UINT height) {
    if (!getTexture() || !source.getTexture() || x >= source.width_ || y >= source.height_) return;
    width = std::min({width, source.width_ - x, width_});
    height = std::min({height, source.height_ - y, height_});
    if (width == 0 || height == 0) return;
    texture_->copyFrom(*source.texture_, static_cast<GLint>(x), static_cast<GLint>(y),
                       static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, 0,
                       "Media::ResourceBuffer::copyRegion");
}

std::unique_ptr<ResourceBuffer> ResourceBuffer::clone() {
    if (solid_) return solid(width_, height_, solidColor_, format_);
    auto copy = std::make_unique<ResourceBuffer>(width_, height_, format_,
                                                 texture_ ? Contents::Undefined : Contents::Zero);
    if (texture_ && copy->texture_)
        copy->texture_->copyFrom(*texture_, 0, 0, static_cast<GLsizei>(width_),
                                 static_cast<GLsizei>(height_), 0, 0,
                                 "Media::ResourceBuffer::clone");
    return copy;
}

std::unique_ptr<ResourceBuffer> ResourceBuffer::cloneResize(UINT width, UINT height, int x, int y) {
    auto resized = std::make_unique<ResourceBuffer>(width, height, Direct3DService::Get().pixelFormat,
                                                    Contents::Undefined);
    const float transparent[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    resized->clear(transparent);
    const std::int64_t W = resized->width_, H = resized->height_;
    const std::int64_t left = std::max<std::int64_t>(-x, 0);
    const std::int64_t top = std::max<std::int64_t>(-y, 0);
    const std::int64_t right = std::min<std::int64_t>(width_, W - x);
    const std::int64_t bottom = std::min<std::int64_t>(height_, H - y);
    const std::int64_t dstX = std::max(x, 0), dstY = std::max(y, 0);
    if (getTexture() && dstX < W && dstY < H && left < right && top < bottom)
        resized->texture_->copyFrom(*texture_, static_cast<GLint>(left), static_cast<GLint>(top),
                                    static_cast<GLsizei>(right - left),
                                    static_cast<GLsizei>(bottom - top), static_cast<GLint>(dstX),
                                    static_cast<GLint>(dstY), "Media::ResourceBuffer::cloneResize");
    return resized;
}

}  // namespace Media
