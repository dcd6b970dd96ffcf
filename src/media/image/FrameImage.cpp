#include "media/image/FrameImage.h"

#include "media/gpu/CpuAccessBuffer.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ShaderList.h"
#include "platform/gl/DxgiFormat.h"


namespace Media {

FrameImage::FrameImage() : service_(&Direct3DService::Get()) {
    image.format = DXGI_FORMAT_B8G8R8A8_UNORM;
}

void FrameImage::update(RenderBuffer& frame) {
    RenderBuffer converted(DXGI_FORMAT_B8G8R8A8_UNORM);
    converted.createTexture2D(frame.getWidth(), frame.getHeight(), RenderBuffer::Contents::Undefined);
    shaderList->general(Resource::ShaderList::Copy)
        .draw(converted, frame.createShaderResourceView(), nullptr);
    const CpuAccessBuffer staging =
        CpuAccessBuffer::readBack(converted.getTexture(), DXGI_FORMAT_B8G8R8A8_UNORM);
    std::lock_guard lock(mutex);
    staging.copyTo(image);
}

}  // namespace Media
