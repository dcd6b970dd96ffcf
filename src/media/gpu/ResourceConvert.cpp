#include "media/gpu/ResourceConvert.h"

#include "core/base/Exception.h"
#include "media/gpu/ConstantBufferCommon.h"
#include "media/gpu/Direct3DService.h"
#include "media/image/ImageBuffer.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/ShaderResource.h"
#include "media/image/YUVformat.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlCommands.h"

#include <algorithm>

namespace Media {

namespace {

constexpr const char* kPlace = "Media::ResourceConvert::convert";
using Resource::ShaderList;

[[noreturn]] void unsupported(int from, int to) {
    throw System::makeExceptionFormat(kPlace, "unsupported convert format.", L"DXGI format %d -> %d",
                                      from, to);
}

// The table's entry for a colour-space number (an index plus 1; 0 or less
// chooses by picture height), limited to the table's last entry.
const YUVformat::ColorEntry& chooseEntry(const YUVformat::ColorTable& table, int number,
                                         UINT height) {
    if (table.size() == 0) throw System::makeException(kPlace, "no yuv color setting");
    int index = number - 1;
    if (index < 0) index = YUVformat::selectColorSpace(table, static_cast<int>(height));
    return table.getEntry(index);
}

// The 80-byte colour matrix as a constant buffer bound to pixel slot b0
// for the pass that follows; released by the caller after it.
std::unique_ptr<Platform::Gl::Buffer> bindColorMatrix(Direct3DService& service,
                                                      const YUVformat::ColorMatrix& block) {
    std::unique_ptr<Platform::Gl::Buffer> buffer;
    ConstantBufferCommon::create(buffer, &block, sizeof block);
    Platform::Gl::bindConstantBuffer(service.context(), Platform::Gl::Stage::Pixel, 0, buffer.get());
    return buffer;
}

}  // namespace

ResourceConvert::ResourceConvert() : service_(&Direct3DService::Get()) {}

void ResourceConvert::convert(const ImageData& image, ResourceBuffer& target,
                              const ConvertParameters& parameters) {
    if (target.width_ != image.width || target.height_ != image.height) {
        target.width_ = std::min(image.width, ResourceBuffer::maxSide);
        target.height_ = std::min(image.height, ResourceBuffer::maxSide);
        target.createTexture2D(nullptr);
    }
    ResourceBuffer source(0, 0);
    source.copyFromImage(image);
    if (target.format_ != DXGI_FORMAT_R16G16B16A16_FLOAT) unsupported(source.format_, target.format_);

    int slot = -1;
    const YUVformat::ColorMatrix* matrix = nullptr;
    switch (source.format_) {
        case DXGI_FORMAT_R16G16B16A16_FLOAT:
        case DXGI_FORMAT_R16G16B16A16_UNORM: slot = ShaderList::Copy; break;
        case DXGI_FORMAT_R16G16B16A16_SNORM:
            slot = ShaderList::ColorMatrix;
            matrix = &chooseEntry(YUVformat::getYUV2RGBTable(), parameters.colorSpace, image.height).yc48;
            break;
        case DXGI_FORMAT_G8R8_G8B8_UNORM: {
            slot = ShaderList::ColorMatrix;
            const YUVformat::ColorEntry& entry =
                chooseEntry(YUVformat::getYUV2RGBTable(), parameters.colorSpace, image.height);
            matrix = parameters.range ? &entry.full : &entry.limited;
            break;
        }
        case DXGI_FORMAT_R8G8B8A8_UNORM:
        case DXGI_FORMAT_B8G8R8A8_UNORM: slot = ShaderList::Premultiply; break;
        case DXGI_FORMAT_B8G8R8X8_UNORM: slot = ShaderList::Opaque; break;
        default: unsupported(source.format_, target.format_);
    }
    std::unique_ptr<Platform::Gl::Buffer> constants;
    if (matrix) constants = bindColorMatrix(*service_, *matrix);
    // YUY2 stays packed on the GPU; its colour matrix unpacks the pairs.
    ShaderList& shaders = Resource::ShaderResource::sharedList();
    PixelShader& shader = source.format_ == DXGI_FORMAT_G8R8_G8B8_UNORM ? shaders.colorMatrixPacked422()
                                                                         : shaders.general(slot);
    shader.draw(target, source, nullptr);
}

std::shared_ptr<ImageBuffer> ResourceConvert::convert(RenderBuffer& frame, int format) {
    if (frame.getFormat() != DXGI_FORMAT_R16G16B16A16_FLOAT ||
        (format != DXGI_FORMAT_YUY2 && format != DXGI_FORMAT_R16G16B16A16_SNORM))
        unsupported(frame.getFormat(), format);
    const Direct3DService::Settings& settings = service_->settings;
    const YUVformat::ColorEntry& entry =
        chooseEntry(YUVformat::getRGB2YUVTable(),
                    YUVformat::getColorSpaceIndex(settings.outputYUVColorSpace),
                    static_cast<UINT>(frame.getHeight()));
    const bool yc48 = format == DXGI_FORMAT_R16G16B16A16_SNORM;
    const YUVformat::ColorMatrix& matrix =
        yc48 ? entry.yc48 : settings.outputYUVColorRange ? entry.full : entry.limited;

    // (Y, Cb, Cr, A) per pixel, then kept (YC48) or packed in pairs (YUY2).
    RenderBuffer converted(yc48 ? DXGI_FORMAT_R16G16B16A16_SNORM : DXGI_FORMAT_R8G8B8A8_UNORM);
    converted.createTexture2D(frame.getWidth(), frame.getHeight(), RenderBuffer::Contents::Undefined);
    const auto constants = bindColorMatrix(*service_, matrix);
    Resource::ShaderResource::sharedList()
        .general(ShaderList::ColorMatrixSaturate)
        .draw(converted, frame.createShaderResourceView(), nullptr);
    return yc48 ? converted.copyToImageBuffer() : converted.copyToYUY2ImageBuffer();
}

}  // namespace Media
