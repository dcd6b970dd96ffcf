#include "media/gpu/RenderBuffer.h"

#include "core/base/Exception.h"
#include "media/gpu/CpuAccessBuffer.h"
#include "media/image/ImageBuffer.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/ResourceConvert.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/ShaderResource.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlFormat.h"
#include "platform/gl/GlTexture.h"

#include <algorithm>
#include <cstring>

namespace Media {

namespace {

constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);
using Platform::Gl::Texture;

}  // namespace

RenderBuffer::RenderBuffer(int format, SampleDesc sampleDesc)
    : service_(&Direct3DService::Get()), format_(format), sampleDesc_(sampleDesc) {}

RenderBuffer::~RenderBuffer() {
    releaseTexture();
    shadows_.clear();
    lights_.clear();
}

void RenderBuffer::releaseTexture() {
    clearPending_ = false;
    unorderedAccessView_ = shaderResourceView_ = renderTargetView_ = false;
    texture_.reset();
}

void RenderBuffer::createTexture2D(int width, int height, Contents contents) {
    constexpr const char* kPlace = "Media::RenderBuffer::createTexture2D";
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    releaseTexture();
    try {
        const Platform::Gl::Format* format = Platform::Gl::findFormat(format_);
        // Multisampled frames are never asked for (the service's samples
        // are (1, 0)); the GPU layer keeps none.
        if (!format || sampleDesc_.Count != 1 || width < 0 || height < 0)
            throw System::makeHResultException("Direct3D.device->CreateTexture2D", kPlace,
                                               kInvalidArgument);
        unsigned flags = Texture::RenderTarget | Texture::ShaderResource;
        if (format_ == service_->pixelFormat) flags |= Texture::UnorderedAccess;
        texture_ = std::make_unique<Texture>(*service_->device, *format, width, height, flags,
                                             nullptr, 0, kPlace, contents);
    } catch (...) {
        // Without a texture the frame has no size, so asking again retries.
        width_ = height_ = 0;
        throw;
    }
}

void RenderBuffer::clearLater(const float rgba[4]) {
    if (!texture_) return;
    std::copy(rgba, rgba + 4, clearColor_);
    clearPending_ = true;
}

bool RenderBuffer::fillUntouched(const float rgba[4]) {
    if (!clearPending_) return false;
    std::copy(rgba, rgba + 4, clearColor_);
    return true;
}

void RenderBuffer::clearNow() const {
    clearPending_ = false;
    if (texture_) texture_->clear(clearColor_, "Render::RenderVideoWorker::renderScene");
}

Texture& RenderBuffer::checkedView(unsigned flag, bool& made, const char* call, const char* place) {
    if (clearPending_) clearNow();
    if (!texture_ || !(texture_->bindFlags() & flag) ||
        (flag == Texture::UnorderedAccess && !texture_->format().imageQualifier))
        throw System::makeHResultException(call, place, kInvalidArgument);
    made = true;
    return *texture_;
}

void RenderBuffer::createRenderTargetView() {
    constexpr const char* kCall = "Direct3D.device->CreateRenderTargetView";
    constexpr const char* kPlace = "Media::RenderBuffer::createRenderTargetView";
    renderTargetView_ = false;
    bool made = false;
    checkedView(Texture::RenderTarget, made, kCall, kPlace).checkRenderTarget(kCall, kPlace);
    renderTargetView_ = made;
}

Texture& RenderBuffer::getRenderTargetView() {
    if (!renderTargetView_) createRenderTargetView();
    return *getTexture();
}

Texture& RenderBuffer::createShaderResourceView() {
    if (shaderResourceView_) return *getTexture();
    return checkedView(Texture::ShaderResource, shaderResourceView_,
                       "Direct3D.device->CreateShaderResourceView",
                       "Media::RenderBuffer::createShaderResourceView");
}

Texture& RenderBuffer::createUnorderedAccessView() {
    if (unorderedAccessView_) return *getTexture();
    return checkedView(Texture::UnorderedAccess, unorderedAccessView_,
                       "Direct3D.device->CreateUnorderedAccessView",
                       "Media::RenderBuffer::createUnorderedAccessView");
}

ResourceBuffer* RenderBuffer::workBuffer(std::unique_ptr<ResourceBuffer>& holder, int format,
                                         const float clear[4], bool throughUnorderedAccess) {
    if (holder) return holder.get();
    auto made = std::make_unique<ResourceBuffer>(static_cast<UINT>(width_),
                                                 static_cast<UINT>(height_), format);
    if (throughUnorderedAccess)
        made->getUnorderedAccessView().clear(clear, "Media::RenderBuffer::workBuffer");
    else
        made->clear(clear);
    holder = std::move(made);
    return holder.get();
}

ResourceBuffer* RenderBuffer::getDepthBuffer() {
    static const float zero[4] = {0, 0, 0, 0};
    return workBuffer(depthBuffer_, DXGI_FORMAT_R32_FLOAT, zero, true);
}

ResourceBuffer* RenderBuffer::getTransparentBuffer() {
    static const float transparent[4] = {0, 0, 0, 0};
    return workBuffer(transparentBuffer_, format_, transparent, false);
}

ResourceBuffer* RenderBuffer::getTransparentDepthBuffer() {
    static const float zero[4] = {0, 0, 0, 0};
    return workBuffer(transparentDepthBuffer_, DXGI_FORMAT_R32_FLOAT, zero, true);
}

ResourceBuffer* RenderBuffer::getNormalBuffer() {
    static const float none[4] = {0, 0, 0, -1};
    return workBuffer(normalBuffer_, DXGI_FORMAT_R16G16B16A16_FLOAT, none, false);
}

ResourceBuffer* RenderBuffer::getNormalTransparentBuffer() {
    static const float none[4] = {0, 0, 0, -1};
    return workBuffer(normalTransparentBuffer_, DXGI_FORMAT_R16G16B16A16_FLOAT, none, false);
}

ResourceBuffer* RenderBuffer::getShadowBuffer(std::size_t light) {
    std::unique_ptr<ResourceBuffer>& shadow = shadows_.at(light);
    if (shadow) return shadow.get();
    const auto side = static_cast<UINT>(service_->shadowBufferSize);
    auto made = std::make_unique<ResourceBuffer>(side, side, DXGI_FORMAT_R32G32_FLOAT);
    static const float lit[4] = {1, 1, 1, 1};
    made->getUnorderedAccessView().clear(lit, "Media::RenderBuffer::getShadowBuffer");
    shadow = std::move(made);
    return shadow.get();
}

void RenderBuffer::addLight(const LightSource& light) {
    lights_.push_back(light);
    shadows_.emplace_back();
}

std::unique_ptr<ResourceBuffer> RenderBuffer::createResourceBuffer(bool copy) {
    // Copied or drawn whole; without a texture the copy stays transparent.
    auto buffer = std::make_unique<ResourceBuffer>(static_cast<UINT>(width_), static_cast<UINT>(height_),
                                                   service_->pixelFormat,
                                                   getTexture() ? ResourceBuffer::Contents::Undefined
                                                                : ResourceBuffer::Contents::Zero);
    if (!getTexture()) return buffer;
    if (copy)
        buffer->getTexture()->copyFrom(*texture_, 0, 0, width_, height_, 0, 0,
                                       "Media::RenderBuffer::createResourceBuffer");
    else
        Resource::ShaderResource::sharedList().general(Resource::ShaderList::Opaque).draw(*buffer, *this);
    return buffer;
}

std::shared_ptr<ImageBuffer> RenderBuffer::copyToImageBuffer() {
    // The read-back is the frame's only pass through the CPU: its block
    // becomes the image's.
    CpuAccessBuffer staging = CpuAccessBuffer::readBack(getTexture(), format_);
    auto image = std::make_shared<ImageBuffer>();
    image->format = static_cast<std::uint32_t>(format_);
    std::move(staging).moveTo(*image);
    return image;
}

std::shared_ptr<ImageBuffer> RenderBuffer::convertToImageBuffer(int format, bool straightAlpha) {
    if (format == DXGI_FORMAT_YUY2 || format == DXGI_FORMAT_R16G16B16A16_SNORM)
        return ResourceConvert().convert(*this, format);
    int slot = Resource::ShaderList::Copy;
    if (format == DXGI_FORMAT_R8G8B8A8_UNORM || format == DXGI_FORMAT_B8G8R8A8_UNORM)
        slot = straightAlpha ? Resource::ShaderList::Unpremultiply
                             : Resource::ShaderList::ClampToAlpha;
    else if (format == DXGI_FORMAT_B8G8R8X8_UNORM)
        slot = Resource::ShaderList::Opaque;
    RenderBuffer converted(format);
    converted.createTexture2D(width_, height_, Contents::Undefined);
    Resource::ShaderResource::sharedList().general(slot).draw(converted, createShaderResourceView(), nullptr);
    return converted.copyToImageBuffer();
}

void RenderBuffer::copyToRGBA(void* destination) {
    constexpr const char* kPlace = "Media::RenderBuffer::copyToRGBA";
    if (format_ != DXGI_FORMAT_R8G8B8A8_UNORM && format_ != DXGI_FORMAT_B8G8R8A8_UNORM)
        throw System::makeException(kPlace, "invalid pixel format.");
    const CpuAccessBuffer staging = CpuAccessBuffer::readBack(getTexture(), format_);
    const std::size_t row = static_cast<std::size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y)
        std::memcpy(static_cast<std::uint8_t*>(destination) + y * row,
                    staging.data() + static_cast<std::size_t>(y) * staging.getRowPitch(), row);
}

std::shared_ptr<ImageBuffer> RenderBuffer::copyToYUY2ImageBuffer() {
    const CpuAccessBuffer staging = CpuAccessBuffer::readBack(getTexture(), format_);
    auto image = ImageBuffer::create(DXGI_FORMAT_YUY2, static_cast<std::uint32_t>(width_),
                                     static_cast<std::uint32_t>(height_));
    image->packYUY2(staging.data(), static_cast<std::uint32_t>(width_),
                    static_cast<std::uint32_t>(height_), staging.getRowPitch());
    return image;
}

}  // namespace Media
