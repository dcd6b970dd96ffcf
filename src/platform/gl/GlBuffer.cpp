#include "platform/gl/GlBuffer.h"

#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlError.h"

namespace Platform::Gl {

Buffer::Buffer(Display& display, std::size_t size, const void* data, const char* place)
    : display_(display), size_(size), id_(nextObjectId()), fence_(display) {
    Context& context = display.context();
    clearErrors();
    glCreateBuffers(1, &name_);
    glNamedBufferStorage(name_, static_cast<GLsizeiptr>(size), data, GL_DYNAMIC_STORAGE_BIT);
    try {
        checkError("glNamedBufferStorage", place);
    } catch (...) {
        glDeleteBuffers(1, &name_);
        throw;
    }
    fence_.written(context);
}

Buffer::~Buffer() { display_.release(Display::Kind::Buffer, name_); }

void Buffer::update(const void* data) {
    Context& context = display_.context();
    fence_.waitFor(context);
    glNamedBufferSubData(name_, 0, static_cast<GLsizeiptr>(size_), data);
    fence_.written(context);
}

}  // namespace Platform::Gl
