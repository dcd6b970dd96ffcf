#include "media/ResourceConvert.h"

#include "core/Exception.h"
#include "media/Direct3DService.h"
#include "media/PixelShader.h"
#include "platform/gl/DxgiFormat.h"

#include <algorithm>

namespace Media {

ResourceConvert::ResourceConvert() : service_(&Direct3DService::Get()) {}

void ResourceConvert::convert(const ImageData& image, ResourceBuffer& target,
                              const ConvertParameters&) {
    if (target.width_ != image.width || target.height_ != image.height) {
        target.width_ = std::min(image.width, ResourceBuffer::maxSide);
        target.height_ = std::min(image.height, ResourceBuffer::maxSide);
        target.createTexture2D(nullptr);
    }
    ResourceBuffer source(0, 0);
    source.copyFromImage(image);

    PixelShader* shader = nullptr;
    if (target.format_ == DXGI_FORMAT_R16G16B16A16_FLOAT) {
        switch (source.format_) {
            case DXGI_FORMAT_R16G16B16A16_FLOAT:
            case DXGI_FORMAT_R16G16B16A16_UNORM: shader = &service_->copyShader(); break;
            case DXGI_FORMAT_R8G8B8A8_UNORM:
            case DXGI_FORMAT_B8G8R8A8_UNORM: shader = &service_->premultiplyShader(); break;
            case DXGI_FORMAT_B8G8R8X8_UNORM: shader = &service_->opaqueShader(); break;
            default: break;
        }
    }
    if (!shader)
        throw System::makeExceptionFormat("Media::ResourceConvert::convert",
                                          "unsupported convert format.", L"DXGI format %d -> %d",
                                          source.format_, target.format_);
    shader->draw(target, source, nullptr);
}

}  // namespace Media
