#pragma once
// A shared GPU buffer (constants or vertices) whose whole contents are
// replaced from a CPU copy. Any thread may destroy it; updates and uses run
// on the calling thread's context and hand over through a write fence.
// A context-only buffer has no hand-over: another context that updates or
// binds it is refused, since its reads would race the owner's writes.
#include "platform/gl/GlSync.h"

#include <epoxy/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Platform::Gl {

class Context;
class Display;

class Buffer {
public:
    enum class Sharing { Shared, ContextOnly };
    // data may be null (contents undefined). A buffer only its making
    // context uses needs no hand-over.
    Buffer(Display& display, std::size_t size, const void* data, const char* place,
           Sharing sharing = Sharing::Shared);
    ~Buffer();
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    // Replaces the whole contents.
    void update(const void* data);
    // Throws E_INVALIDARG with `call` when the buffer is another context's
    // own.
    void checkContext(const Context& context, const char* call) const;

    // Null for a context-only buffer.
    const std::shared_ptr<Handover>& handover() const { return handover_; }
    GLuint name() const { return name_; }
    std::uint64_t id() const { return id_; }
    std::size_t size() const { return size_; }

private:
    Display& display_;
    std::size_t size_;
    GLuint name_ = 0;
    std::uint64_t id_;
    std::shared_ptr<Handover> handover_;
    std::uint64_t owner_ = 0;  // the making context's id; 0: shared
};

}  // namespace Platform::Gl
