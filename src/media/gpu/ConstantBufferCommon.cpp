#include "media/gpu/ConstantBufferCommon.h"

#include "media/gpu/Direct3DService.h"

namespace Media {

void ConstantBufferCommon::create(std::unique_ptr<Platform::Gl::Buffer>& buffer, const void* data,
                                  UINT size) {
    buffer.reset();
    buffer = std::make_unique<Platform::Gl::Buffer>(*Direct3DService::Get().device, size, data,
                                                    "Media::ConstantBufferCommon::create");
}

}  // namespace Media
