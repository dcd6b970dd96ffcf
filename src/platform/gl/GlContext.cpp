#include "platform/gl/GlContext.h"

#include "platform/gl/GlSync.h"

#include <algorithm>
#include <atomic>

namespace Platform::Gl {

std::uint64_t nextObjectId() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

Context::Context(Display& display, EGLContext context)
    : display_(display), context_(context), thread_(std::this_thread::get_id()), id_(nextObjectId()) {}

// Each of these is the only one of its kind the context ever binds.
GLuint Context::framebuffer() {
    if (!framebuffer_) {
        glCreateFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    }
    return framebuffer_;
}

GLuint Context::vertexArray() {
    if (!vertexArray_) {
        glCreateVertexArrays(1, &vertexArray_);
        glBindVertexArray(vertexArray_);
    }
    return vertexArray_;
}

GLuint Context::pipeline() {
    if (!pipeline_) {
        glCreateProgramPipelines(1, &pipeline_);
        glBindProgramPipeline(pipeline_);
    }
    return pipeline_;
}

void Context::setRead(std::uint32_t point, std::shared_ptr<Handover> object) {
    const auto at = std::find_if(reads_.begin(), reads_.end(),
                                 [point](const auto& read) { return read.first == point; });
    if (at != reads_.end()) {
        if (object)
            at->second = std::move(object);
        else
            reads_.erase(at);
    } else if (object) {
        reads_.emplace_back(point, std::move(object));
    }
}

std::shared_ptr<void> Context::local(const void* key) {
    std::lock_guard lock(localsMutex_);
    for (const auto& [owner, object] : locals_)
        if (owner == key) return object;
    return nullptr;
}

void Context::setLocal(const void* key, std::shared_ptr<void> object) {
    std::lock_guard lock(localsMutex_);
    locals_.emplace_back(key, std::move(object));
}

std::shared_ptr<void> Context::takeLocal(const void* key) {
    std::lock_guard lock(localsMutex_);
    const auto at = std::find_if(locals_.begin(), locals_.end(),
                                 [key](const auto& local) { return local.first == key; });
    if (at == locals_.end()) return nullptr;
    std::shared_ptr<void> object = std::move(at->second);
    locals_.erase(at);
    return object;
}

void Context::deleteOwnObjects() {
    std::vector<std::pair<const void*, std::shared_ptr<void>>> locals;
    {
        std::lock_guard lock(localsMutex_);
        locals.swap(locals_);
    }
    locals.clear();
    if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
    if (vertexArray_) glDeleteVertexArrays(1, &vertexArray_);
    if (pipeline_) glDeleteProgramPipelines(1, &pipeline_);
    framebuffer_ = vertexArray_ = pipeline_ = 0;
    bindings_.clear();
    renderTargets.clear();
    images.fill(nullptr);
    pixelImages = 0;
    reads_.clear();
    enabledAttributes = 0;
    inputLayout = 0;
}

}  // namespace Platform::Gl
