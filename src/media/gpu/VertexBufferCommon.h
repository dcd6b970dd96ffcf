#pragma once
// A GPU vertex buffer with a CPU copy of its vertices: the stream a vertex
// list draws. The GPU buffer is made from the copy on the first update and
// replaced as a whole afterwards; count, stride and topology say how the
// service draws it. An empty buffer is refused, as the device refuses one.
// Used on the thread that drives the calling context.
#include "platform/WinTypes.h"
#include "platform/gl/GlBuffer.h"

#include <cstdint>
#include <memory>
#include <vector>


namespace Media {

class VertexBufferCommon {
public:
    // D3D11_PRIMITIVE_TOPOLOGY values.
    enum Topology : int { TriangleList = 4, TriangleStrip = 5 };

    // A CPU copy for count vertices of stride bytes; no GPU buffer yet. A
    // buffer drawn only by the thread that made it needs no hand-over.
    VertexBufferCommon(UINT count, UINT stride, Topology topology,
                       Platform::Gl::Buffer::Sharing sharing = Platform::Gl::Buffer::Sharing::Shared);
    ~VertexBufferCommon();
    VertexBufferCommon(const VertexBufferCommon&) = delete;
    VertexBufferCommon& operator=(const VertexBufferCommon&) = delete;

    // Replaces the GPU buffer with one of count × stride bytes from data.
    void create(const void* data, UINT count, UINT stride);
    // The CPU copy to the GPU: creates the buffer when there is none.
    void update();

    std::uint8_t* data() { return vertices_.data(); }
    UINT getCount() const { return count_; }
    UINT getStride() const { return stride_; }
    Topology getTopology() const { return topology_; }
    // Null until the first update or create.
    Platform::Gl::Buffer* getBuffer() const { return buffer_.get(); }

private:
    std::unique_ptr<Platform::Gl::Buffer> buffer_;
    UINT count_;
    UINT stride_;
    Topology topology_;
    Platform::Gl::Buffer::Sharing sharing_;
    std::vector<std::uint8_t> vertices_;
};

}  // namespace Media
