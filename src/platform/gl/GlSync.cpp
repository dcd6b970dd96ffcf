#include "platform/gl/GlSync.h"

#include "platform/gl/GlDisplay.h"

#include <algorithm>

namespace Platform::Gl {

Fence::Fence(Display& display)
    : display_(display), sync_(glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0)) {
    // Another context can only wait for a fence that has reached the GPU.
    glFlush();
}

Fence::~Fence() { display_.release(sync_); }

void Fence::wait() const {
    if (!sync_) return;
    constexpr GLuint64 kSecond = 1'000'000'000;
    for (;;) {
        const GLenum result = glClientWaitSync(sync_, 0, kSecond);
        if (result != GL_TIMEOUT_EXPIRED) return;
    }
}

void runCommand(Context& context, std::span<const Use> uses, CommandRef command,
                bool synchronous) {
    // Each object once, in address order; a write covers a read of it.
    Use sorted[16];
    std::size_t count = 0;
    std::vector<Use> many;
    Use* list = sorted;
    if (uses.size() > std::size(sorted)) {
        many.resize(uses.size());
        list = many.data();
    }
    for (const Use& use : uses) {
        if (!use.object) continue;
        Use* same = std::find_if(list, list + count,
                                 [&](const Use& u) { return u.object == use.object; });
        if (same == list + count)
            list[count++] = use;
        else if (use.access == Access::Write)
            same->access = Access::Write;
    }
    std::sort(list, list + count, [](const Use& a, const Use& b) {
        return std::less<Handover*>()(a.object, b.object);
    });

    const std::uint64_t self = context.id();
    for (std::size_t i = 0; i < count; ++i) list[i].object->mutex_.lock();
    for (std::size_t i = 0; i < count; ++i) {
        Handover& object = *list[i].object;
        if (object.write_ && object.writer_ != self) object.write_->wait();
        if (list[i].access == Access::Write)
            for (const auto& [reader, fence] : object.reads_)
                if (reader != self) fence->wait();
    }
    try {
        command();
    } catch (...) {
        for (std::size_t i = count; i-- > 0;) list[i].object->mutex_.unlock();
        throw;
    }
    std::shared_ptr<Fence> fence;
    if (!synchronous && count) fence = std::make_shared<Fence>(context.display());
    for (std::size_t i = 0; i < count; ++i) {
        Handover& object = *list[i].object;
        if (list[i].access == Access::Write) {
            // What came before is finished, or ordered before this write.
            object.write_ = fence;
            object.writer_ = self;
            object.reads_.clear();
        } else if (fence) {
            auto own = std::find_if(object.reads_.begin(), object.reads_.end(),
                                    [self](const auto& read) { return read.first == self; });
            if (own == object.reads_.end())
                object.reads_.emplace_back(self, fence);
            else
                own->second = fence;
        }
    }
    for (std::size_t i = count; i-- > 0;) list[i].object->mutex_.unlock();
}

}  // namespace Platform::Gl
