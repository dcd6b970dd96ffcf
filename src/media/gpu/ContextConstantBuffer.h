#pragma once
// A constant buffer of a fixed size of which each render thread's context
// keeps its own, made on that thread's first use: a pass uploads its block
// and draws through it, and no two threads ever share one buffer.
#include "platform/WinTypes.h"

#include <memory>

namespace Platform::Gl {
class Buffer;
template <class T>
class ContextLocal;
}  // namespace Platform::Gl

namespace Media {

class ContextConstantBuffer {
public:
    // size: a multiple of 16. Needs the Direct3D service.
    explicit ContextConstantBuffer(UINT size);
    ~ContextConstantBuffer();
    ContextConstantBuffer(const ContextConstantBuffer&) = delete;
    ContextConstantBuffer& operator=(const ContextConstantBuffer&) = delete;

    // Uploads size bytes into the calling thread's buffer and returns it.
    Platform::Gl::Buffer& set(const void* block);

private:
    struct PerContext;
    std::unique_ptr<Platform::Gl::ContextLocal<PerContext>> perContext_;
};

}  // namespace Media
