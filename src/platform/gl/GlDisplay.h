#pragma once
// The GPU without a window system: an EGL display (Mesa's surfaceless
// platform, or the first EGL device where that is missing) and one share
// group of OpenGL 4.5 core contexts, one per thread that touches the GPU.
//
// - The constructing thread gets its context at once; every other thread
//   gets one on its first call to context(). A thread's context is destroyed
//   when the thread ends or the display is destroyed.
// - Every context has glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE): row 0 of
//   every texture is the top row and depth runs 0..1.
// - Shared objects may be released from any thread: release() deletes at
//   once where this display has a current context, otherwise the name waits
//   for the next thread that asks for its context.
// - Capabilities are probed once, at construction, and kept here.
// - Failures throw the program's HRESULT exception with the EGL or GL call,
//   the library's error code and its name; the place is the caller's.
// - Every shared object must be destroyed before its display.
#include "platform/gl/GlContext.h"
#include "platform/gl/GlEdgeRule.h"
#include "platform/gl/GlFormat.h"
#include "platform/gl/GlTexturePool.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Platform::Gl {

struct Capabilities {
    std::string vendor;
    std::string renderer;
    std::string version;
    GLint maxTextureSize = 0;
    GLint maxComputeWorkGroupInvocations = 0;
    // GL_ARB_fragment_shader_interlock or GL_NV_fragment_shader_interlock.
    bool fragmentShaderInterlock = false;
    bool fragmentShaderInterlockNv = false;
    // Per-pixel work of overlapping primitives runs in submission order:
    // through interlock, or proven on this renderer by a probe draw.
    bool orderedAccess = false;
    // The viewport shift that gives D3D's coverage of edges through pixel
    // centres (setViewport with top-left edges).
    EdgeOffset edgeOffset;
    // Per DXGI code of the format table, the driver's own answers: 2D
    // textures of its storage can be made; it can be rendered into.
    std::map<int, bool> texture2D;
    std::map<int, bool> renderable;
};

// For checking the fallback road: formats the next displays take as not
// renderable whatever the driver says.
void forceUnrenderable(std::vector<int> codes);

// How the next displays ask the driver about a storage format: one
// glGetInternalformativ answer for GL_TEXTURE_2D. Tests put a driver that
// refuses formats in front of the real one; null restores the driver.
using FormatQuery = GLint (*)(GLenum internalFormat, GLenum pname);
void setFormatQuery(FormatQuery query);

class Display {
public:
    // place: the exception place for failures (the caller's function).
    explicit Display(const char* place);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // The calling thread's context, current; made on first use.
    Context& context();
    // The calling thread's context when it has one, else null.
    Context* currentContext();

    const Capabilities& capabilities() const { return capabilities_; }
    // The storage of a texture of the format made for that binding: the
    // format's own, or its fallback for a render target the driver cannot
    // render into (decided once, at construction).
    const Format& storageFormat(const Format& format, unsigned bindFlags) const;
    EGLDisplay eglDisplay() const { return display_; }
    // "surfaceless" or "device".
    const char* platformName() const { return platformName_; }

    enum class Kind { Texture, Buffer, Sampler, Program, Sync };
    // Any thread. Zero names are ignored.
    void release(Kind kind, GLuint name);
    void release(GLsync sync);

    // Storage of dropped textures waiting for reuse.
    TexturePool& texturePool() { return texturePool_; }

    // Contexts alive now (for tests of the per-thread life cycle).
    std::size_t contextCount();
    // Any thread: fn for each live context, under the display's lock (fn
    // must not call back into the display).
    void forEachContext(const std::function<void(Context&)>& fn);

private:
    struct Orphan {
        Kind kind;
        GLuint name;
        GLsync sync;
    };

    void openDisplay(const char* place);
    void shutdown();
    Context* createContext(const char* place);
    void destroyContext(Context* context, bool current);
    void deleteOrphans();
    static void deleteNow(const Orphan& orphan);
    void releaseOrphan(const Orphan& orphan);
    void probeCapabilities();

    friend struct ThreadContexts;
    // Called from a thread's exit for that thread's context.
    void threadEnded(Context* context);

    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext root_ = EGL_NO_CONTEXT;
    const char* platformName_ = "";
    std::uint64_t serial_ = 0;
    Capabilities capabilities_;

    std::mutex mutex_;
    std::vector<std::unique_ptr<Context>> contexts_;
    std::vector<Orphan> orphans_;
    std::atomic<bool> hasOrphans_{false};
    // Set while closing: what is released then goes with the share group.
    std::atomic<bool> closing_{false};
    TexturePool texturePool_{*this};
};

}  // namespace Platform::Gl
