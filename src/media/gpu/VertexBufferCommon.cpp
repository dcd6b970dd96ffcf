#include "media/gpu/VertexBufferCommon.h"

#include "core/base/Exception.h"
#include "media/gpu/Direct3DService.h"
#include "platform/gl/GlBuffer.h"

namespace Media {

namespace {
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);
}

VertexBufferCommon::VertexBufferCommon(UINT count, UINT stride, Topology topology,
                                       Platform::Gl::Buffer::Sharing sharing)
    : count_(count),
      stride_(stride),
      topology_(topology),
      sharing_(sharing),
      vertices_(static_cast<std::size_t>(count) * stride) {}

VertexBufferCommon::~VertexBufferCommon() = default;

void VertexBufferCommon::create(const void* data, UINT count, UINT stride) {
    constexpr const char* kPlace = "Media::VertexBufferCommon::create";
    count_ = count;
    stride_ = stride;
    buffer_.reset();
    const std::size_t size = static_cast<std::size_t>(count) * stride;
    if (size == 0)
        throw System::makeHResultException("Direct3DService::Get().device->CreateBuffer", kPlace,
                                           kInvalidArgument);
    buffer_ = std::make_unique<Platform::Gl::Buffer>(*Direct3DService::Get().device, size, data,
                                                     kPlace, sharing_);
}

void VertexBufferCommon::update() {
    if (!buffer_)
        create(vertices_.data(), count_, stride_);
    else
        buffer_->update(vertices_.data());
}

}  // namespace Media
