#pragma once
// Failures of GL and EGL calls become the program's HRESULT exception: the
// call as our code writes it, the library's own error code and its name.
#include <epoxy/egl.h>
#include <epoxy/gl.h>

namespace Platform::Gl {

// "GL_OUT_OF_MEMORY", "EGL_BAD_ALLOC" ...; "unknown error" for other codes.
const char* errorName(GLenum error);
const char* eglErrorName(EGLint error);
// "GL_FRAMEBUFFER_UNSUPPORTED" ... for glCheckFramebufferStatus results.
const char* framebufferStatusName(GLenum status);

// Throws for the first error pending on the current context and clears the
// rest, so a later check does not report it again.
void checkError(const char* call, const char* place);

// Drops errors left behind by earlier calls before a checked call.
void clearErrors();

// Throws for the calling thread's last EGL error.
[[noreturn]] void throwEglError(const char* call, const char* place);

}  // namespace Platform::Gl
