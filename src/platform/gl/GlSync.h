#pragma once
// Hand-over of shared objects between contexts. A context that writes a
// texture or buffer leaves a fence behind; another context that uses the
// object afterwards waits for it on the GPU (glWaitSync) before binding it,
// as GL requires for changes made in another context to be visible.
#include <epoxy/gl.h>

#include <cstdint>

namespace Platform::Gl {

class Context;
class Display;

class WriteFence {
public:
    explicit WriteFence(Display& display) : display_(display) {}
    ~WriteFence();
    WriteFence(const WriteFence&) = delete;
    WriteFence& operator=(const WriteFence&) = delete;

    // After a write by the current context.
    void written(Context& context);
    // Before a use by the current context; nothing when it wrote last.
    void waitFor(Context& context);

private:
    Display& display_;
    GLsync fence_ = nullptr;
    std::uint64_t writer_ = 0;
};

}  // namespace Platform::Gl
