#pragma once
// One GL context per thread that touches the GPU, all in the share group of
// one Platform::Gl::Display. Textures, buffers, samplers and programs are
// shared; framebuffers, vertex arrays and program pipelines are not, so each
// context makes its own on first use. The binding cache records what this
// context has bound, by object id, so redundant binds can be skipped.
//
// A context is made, made current and destroyed by its display on the thread
// that owns it; nothing here may be used from another thread.
#include "platform/gl/GlSync.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace Platform::Gl {

class Display;

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

    // The hand-over records of what the next draw or dispatch touches
    // (held here, so an object that goes meanwhile is still handed over):
    // the render targets attached now and the images bound, which it
    // writes; the textures, constant buffers and vertex buffer bound, which
    // it reads. Pixel images are the ones bound with the targets; they go
    // when the targets change, as D3D's output-merger views do.
    std::vector<std::shared_ptr<Handover>> renderTargets;
    std::array<std::shared_ptr<Handover>, 8> images{};
    std::uint32_t pixelImages = 0;
    enum ReadPoint : std::uint32_t { TextureUnit = 0, UniformBinding = 0x100, VertexBuffer = 0x200 };
    void setRead(std::uint32_t point, std::shared_ptr<Handover> object);
    const std::vector<std::pair<std::uint32_t, std::shared_ptr<Handover>>>& reads() const {
        return reads_;
    }

    // Scratch list of the uses of one draw or dispatch.
    std::vector<Use> passUses;

    // An object of this context alone, kept under its owner's key until
    // the owner or the context goes. Null when there is none yet.
    std::shared_ptr<void> local(const void* key);
    void setLocal(const void* key, std::shared_ptr<void> object);
    // Any thread: hands the owner's object over for destruction.
    std::shared_ptr<void> takeLocal(const void* key);

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
    std::vector<std::pair<std::uint32_t, std::shared_ptr<Handover>>> reads_;
    std::mutex localsMutex_;
    std::vector<std::pair<const void*, std::shared_ptr<void>>> locals_;
};

}  // namespace Platform::Gl
