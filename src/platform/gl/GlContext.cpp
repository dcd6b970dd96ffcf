#include "platform/gl/GlContext.h"

#include "platform/gl/GlSync.h"

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

void Context::deleteOwnObjects() {
    if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
    if (vertexArray_) glDeleteVertexArrays(1, &vertexArray_);
    if (pipeline_) glDeleteProgramPipelines(1, &pipeline_);
    framebuffer_ = vertexArray_ = pipeline_ = 0;
    bindings_.clear();
    renderTargets.clear();
    images.fill(nullptr);
    enabledAttributes = 0;
    inputLayout = 0;
}

}  // namespace Platform::Gl
