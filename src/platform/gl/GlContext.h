#pragma once
// One GL context per thread that touches the GPU, all in the share group of
// one Platform::Gl::Display. Textures, buffers, samplers and programs are
// shared; framebuffers, vertex arrays and program pipelines are not, so each
// context makes its own on first use. The binding cache records what this
// context has bound, by object id, so redundant binds can be skipped.
//
// A context is made, made current and destroyed by its display on the thread
// that owns it; nothing here may be used from another thread.
#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace Platform::Gl {

class Display;
class WriteFence;

// A process-wide unique id for any object the binding cache records. GL
// names are reused after deletion; these ids never are.
std::uint64_t nextObjectId();

// What the current context has bound last; 0 means "unknown".
struct BindingCache {
    std::uint64_t vertexShader = 0;
    std::uint64_t pixelShader = 0;
    std::uint64_t computeShader = 0;
    std::uint64_t blendState = 0;
    std::uint64_t rasterizerState = 0;
    std::uint64_t pixelSampler0 = 0;
    std::array<float, 4> blendFactor{1.0f, 1.0f, 1.0f, 1.0f};

    void clear() { *this = BindingCache{}; }
};

class Context {
public:
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    // This context's own objects, made on first use.
    GLuint framebuffer();
    GLuint vertexArray();
    GLuint pipeline();

    BindingCache& bindings() { return bindings_; }

    // The write fences of what this context writes in the pass being set
    // up: the render targets attached now and the images bound for the next
    // draw or dispatch. Each is signalled when the pass ends.
    std::vector<std::shared_ptr<WriteFence>> renderTargets;
    std::array<std::shared_ptr<WriteFence>, 8> images{};
    // Vertex attributes the current input layout enabled.
    std::uint32_t enabledAttributes = 0;
    std::uint64_t inputLayout = 0;
    std::uint64_t id() const { return id_; }
    Display& display() const { return display_; }
    EGLContext eglContext() const { return context_; }
    std::thread::id thread() const { return thread_; }

private:
    friend class Display;
    Context(Display& display, EGLContext context);
    // Deletes the context's own objects; the context must be current.
    void deleteOwnObjects();

    Display& display_;
    EGLContext context_;
    std::thread::id thread_;
    std::uint64_t id_;
    GLuint framebuffer_ = 0;
    GLuint vertexArray_ = 0;
    GLuint pipeline_ = 0;
    BindingCache bindings_;
};

}  // namespace Platform::Gl
