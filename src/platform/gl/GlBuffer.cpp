#include "platform/gl/GlBuffer.h"

#include "core/base/Exception.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlError.h"

namespace Platform::Gl {

Buffer::Buffer(Display& display, std::size_t size, const void* data, const char* place,
               Sharing sharing)
    : display_(display),
      size_(size),
      id_(nextObjectId()),
      handover_(sharing == Sharing::Shared ? std::make_shared<Handover>() : nullptr) {
    Context& context = display.context();
    if (sharing == Sharing::ContextOnly) owner_ = context.id();
    clearErrors();
    glCreateBuffers(1, &name_);
    glNamedBufferStorage(name_, static_cast<GLsizeiptr>(size), data, GL_DYNAMIC_STORAGE_BIT);
    try {
        checkError("glNamedBufferStorage", place);
    } catch (...) {
        glDeleteBuffers(1, &name_);
        throw;
    }
    runCommand(context, {{handover_.get(), Access::Write}}, [] {});
}

Buffer::~Buffer() { display_.release(Display::Kind::Buffer, name_); }

void Buffer::checkContext(const Context& context, const char* call) const {
    constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);
    if (owner_ && owner_ != context.id())
        throw System::makeHResultException(call, "Platform::Gl::Buffer", kInvalidArgument);
}

void Buffer::update(const void* data) {
    Context& context = display_.context();
    checkContext(context, "glNamedBufferSubData");
    runCommand(context, {{handover_.get(), Access::Write}}, [&] {
        glNamedBufferSubData(name_, 0, static_cast<GLsizeiptr>(size_), data);
    });
}

}  // namespace Platform::Gl
