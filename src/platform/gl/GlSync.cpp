#include "platform/gl/GlSync.h"

#include "platform/gl/GlDisplay.h"

namespace Platform::Gl {

WriteFence::~WriteFence() { display_.release(fence_); }

void WriteFence::written(Context& context) {
    if (fence_) display_.release(fence_);
    fence_ = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
    // Another context can only wait for a fence that has reached the GPU.
    glFlush();
    writer_ = context.id();
}

void WriteFence::waitFor(Context& context) {
    if (fence_ && writer_ != context.id()) glWaitSync(fence_, 0, GL_TIMEOUT_IGNORED);
}

}  // namespace Platform::Gl
