#include "media/gpu/ContextConstantBuffer.h"

#include "media/gpu/Direct3DService.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlContextLocal.h"

#include <vector>

namespace Media {

struct ContextConstantBuffer::PerContext {
    std::unique_ptr<Platform::Gl::Buffer> buffer;
};

ContextConstantBuffer::ContextConstantBuffer(UINT size) {
    Platform::Gl::Display& display = *Direct3DService::Get().device;
    perContext_ = std::make_unique<Platform::Gl::ContextLocal<PerContext>>(display, [device = &display, size] {
        auto objects = std::make_unique<PerContext>();
        const std::vector<std::uint8_t> zero(size);
        objects->buffer = std::make_unique<Platform::Gl::Buffer>(*device, size, zero.data(),
                                                                 "Media::ConstantBufferCommon::create",
                                                                 Platform::Gl::Buffer::Sharing::ContextOnly);
        return objects;
    });
}

ContextConstantBuffer::~ContextConstantBuffer() = default;

Platform::Gl::Buffer& ContextConstantBuffer::set(const void* block) {
    Platform::Gl::Buffer& buffer = *perContext_->get().buffer;
    buffer.update(block);
    return buffer;
}

}  // namespace Media
