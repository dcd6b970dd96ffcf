#include "platform/gl/GlDisplay.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "platform/gl/GlError.h"
#include "platform/gl/GlOrderedAccess.h"
#include "platform/gl/GlTexture.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace Platform::Gl {

namespace {

// Displays alive now, by serial; a thread that ends looks its display up
// here, so a display destroyed first is never touched.
std::mutex g_registryMutex;
std::unordered_map<std::uint64_t, Display*> g_displays;
std::uint64_t g_lastSerial = 0;
std::vector<int> g_forcedUnrenderable;
FormatQuery g_formatQuery = nullptr;

GLint askDriver(GLenum internalFormat, GLenum pname) {
    GLint answer = GL_NONE;
    glGetInternalformativ(GL_TEXTURE_2D, internalFormat, pname, 1, &answer);
    return answer;
}

bool hasExtension(const char* list, const char* name) {
    if (!list) return false;
    const std::size_t length = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length) {
        const bool startOk = p == list || p[-1] == ' ';
        const bool endOk = p[length] == ' ' || p[length] == '\0';
        if (startOk && endOk) return true;
    }
    return false;
}

#ifndef NDEBUG
void GLAPIENTRY debugMessage(GLenum, GLenum type, GLuint, GLenum severity, GLsizei,
                             const GLchar* message, const void*) {
    if (severity == GL_DEBUG_SEVERITY_HIGH || type == GL_DEBUG_TYPE_ERROR)
        System::Log::warn("Platform::Gl::Context", "%s", message);
}
#endif

}  // namespace

// The calling thread's contexts, one per display it has used.
struct ThreadContexts {
    struct Entry {
        std::uint64_t serial;
        Context* context;
    };
    std::vector<Entry> entries;

    Entry* find(std::uint64_t serial) {
        for (Entry& entry : entries)
            if (entry.serial == serial) return &entry;
        return nullptr;
    }
    void erase(std::uint64_t serial) {
        std::erase_if(entries, [serial](const Entry& e) { return e.serial == serial; });
    }

    ~ThreadContexts() {
        for (const Entry& entry : entries) {
            std::lock_guard lock(g_registryMutex);
            const auto it = g_displays.find(entry.serial);
            if (it != g_displays.end()) it->second->threadEnded(entry.context);
        }
        if (!entries.empty()) eglReleaseThread();
    }
};

namespace {
thread_local ThreadContexts t_contexts;
}

Display::Display(const char* place) {
    openDisplay(place);
    {
        std::lock_guard lock(g_registryMutex);
        serial_ = ++g_lastSerial;
        g_displays.emplace(serial_, this);
    }
    try {
        Context* context = createContext(place);
        t_contexts.entries.push_back({serial_, context});
        probeCapabilities();
    } catch (...) {
        shutdown();
        throw;
    }
}

Display::~Display() { shutdown(); }

void Display::shutdown() {
    texturePool_.clear(true);
    {
        std::lock_guard lock(g_registryMutex);
        g_displays.erase(serial_);
    }
    // Contexts current on other threads are destroyed by EGL once those
    // threads let go of them; the share group's objects go with the last.
    std::vector<std::unique_ptr<Context>> contexts;
    {
        std::lock_guard lock(mutex_);
        contexts.swap(contexts_);
        orphans_.clear();
    }
    ThreadContexts::Entry* own = t_contexts.find(serial_);
    if (own) destroyContext(own->context, true);
    closing_ = true;
    for (auto& context : contexts)
        if (!own || own->context != context.get()) destroyContext(context.get(), false);
    if (own) t_contexts.erase(serial_);
    contexts.clear();
    if (root_ != EGL_NO_CONTEXT) eglDestroyContext(display_, root_);
    if (display_ != EGL_NO_DISPLAY) eglTerminate(display_);
    root_ = EGL_NO_CONTEXT;
    display_ = EGL_NO_DISPLAY;
}

void Display::openDisplay(const char* place) {
    const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (hasExtension(client, "EGL_MESA_platform_surfaceless")) {
        display_ = eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY,
                                            nullptr);
        if (display_ != EGL_NO_DISPLAY && eglInitialize(display_, nullptr, nullptr)) {
            platformName_ = "surfaceless";
        } else {
            display_ = EGL_NO_DISPLAY;
        }
    }
    if (display_ == EGL_NO_DISPLAY && hasExtension(client, "EGL_EXT_platform_device")) {
        EGLDeviceEXT devices[16];
        EGLint count = 0;
        if (eglQueryDevicesEXT(16, devices, &count)) {
            for (EGLint i = 0; i < count && display_ == EGL_NO_DISPLAY; ++i) {
                EGLDisplay display =
                    eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr);
                if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) {
                    display_ = display;
                    platformName_ = "device";
                }
            }
        }
    }
    if (display_ == EGL_NO_DISPLAY) throwEglError("eglGetPlatformDisplayEXT", place);

    const char* extensions = eglQueryString(display_, EGL_EXTENSIONS);
    if (!hasExtension(extensions, "EGL_KHR_surfaceless_context") ||
        !hasExtension(extensions, "EGL_KHR_no_config_context")) {
        eglTerminate(display_);
        display_ = EGL_NO_DISPLAY;
        throw System::makeHResultException("eglQueryString", place, EGL_BAD_MATCH,
                                           "EGL_BAD_MATCH: no surfaceless, config-less contexts");
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        eglTerminate(display_);
        display_ = EGL_NO_DISPLAY;
        throwEglError("eglBindAPI", place);
    }
    static const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 4,
                                        EGL_CONTEXT_MINOR_VERSION, 5,
                                        EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                        EGL_NONE};
    // The root holds the share group; it is never current anywhere.
    root_ = eglCreateContext(display_, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (root_ == EGL_NO_CONTEXT) {
        const EGLint error = eglGetError();
        eglTerminate(display_);
        display_ = EGL_NO_DISPLAY;
        throw System::makeHResultException("eglCreateContext", place, error,
                                           eglErrorName(error));
    }
}

Context* Display::createContext(const char* place) {
    static const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 4,
                                        EGL_CONTEXT_MINOR_VERSION, 5,
                                        EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
#ifndef NDEBUG
                                        EGL_CONTEXT_OPENGL_DEBUG, EGL_TRUE,
#endif
                                        EGL_NONE};
    // The rendering API is per thread: every new thread starts with GLES.
    if (!eglBindAPI(EGL_OPENGL_API)) throwEglError("eglBindAPI", place);
    EGLContext egl = eglCreateContext(display_, EGL_NO_CONFIG_KHR, root_, attributes);
    if (egl == EGL_NO_CONTEXT) throwEglError("eglCreateContext", place);
    if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, egl)) {
        const EGLint error = eglGetError();
        eglDestroyContext(display_, egl);
        throw System::makeHResultException("eglMakeCurrent", place, error, eglErrorName(error));
    }
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // D3D does not dither.
    glDisable(GL_DITHER);
#ifndef NDEBUG
    glEnable(GL_DEBUG_OUTPUT);
    glDebugMessageCallback(debugMessage, nullptr);
#endif
    std::lock_guard lock(mutex_);
    contexts_.push_back(std::unique_ptr<Context>(new Context(*this, egl)));
    return contexts_.back().get();
}

Context* Display::currentContext() {
    ThreadContexts::Entry* entry = t_contexts.find(serial_);
    if (!entry) return nullptr;
    if (eglGetCurrentContext() != entry->context->eglContext())
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, entry->context->eglContext());
    if (hasOrphans_.load(std::memory_order_acquire)) deleteOrphans();
    return entry->context;
}

Context& Display::context() {
    if (Context* context = currentContext()) return *context;
    Context* context = createContext("Platform::Gl::Display::context");
    t_contexts.entries.push_back({serial_, context});
    if (hasOrphans_.load(std::memory_order_acquire)) deleteOrphans();
    return *context;
}

void Display::destroyContext(Context* context, bool current) {
    if (current) {
        if (eglGetCurrentContext() != context->eglContext())
            eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context->eglContext());
        context->deleteOwnObjects();
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    eglDestroyContext(display_, context->eglContext());
}

void Display::threadEnded(Context* context) {
    std::unique_ptr<Context> ending;
    {
        std::lock_guard lock(mutex_);
        const auto it = std::find_if(contexts_.begin(), contexts_.end(),
                                     [context](const auto& c) { return c.get() == context; });
        if (it == contexts_.end()) return;
        ending = std::move(*it);
        contexts_.erase(it);
    }
    // Still current here, so what it lets go of is deleted at once.
    destroyContext(ending.get(), true);
}

std::size_t Display::contextCount() {
    std::lock_guard lock(mutex_);
    return contexts_.size();
}

void forceUnrenderable(std::vector<int> codes) {
    std::lock_guard lock(g_registryMutex);
    g_forcedUnrenderable = std::move(codes);
}

void setFormatQuery(FormatQuery query) {
    std::lock_guard lock(g_registryMutex);
    g_formatQuery = query;
}

const Format& Display::storageFormat(const Format& format, unsigned bindFlags) const {
    if (!(bindFlags & Texture::RenderTarget)) return format;
    const auto renderable = capabilities_.renderable.find(format.code);
    if (renderable == capabilities_.renderable.end() || renderable->second) return format;
    const Format* fallback = renderableFallback(format.code);
    return fallback ? *fallback : format;
}

void Display::forEachContext(const std::function<void(Context&)>& fn) {
    std::lock_guard lock(mutex_);
    for (const auto& context : contexts_) fn(*context);
}

void Display::deleteNow(const Orphan& orphan) {
    switch (orphan.kind) {
        case Kind::Texture: glDeleteTextures(1, &orphan.name); break;
        case Kind::Buffer: glDeleteBuffers(1, &orphan.name); break;
        case Kind::Sampler: glDeleteSamplers(1, &orphan.name); break;
        case Kind::Program: glDeleteProgram(orphan.name); break;
        case Kind::Sync: glDeleteSync(orphan.sync); break;
    }
}

void Display::deleteOrphans() {
    std::vector<Orphan> orphans;
    {
        std::lock_guard lock(mutex_);
        orphans.swap(orphans_);
        hasOrphans_.store(false, std::memory_order_release);
    }
    for (const Orphan& orphan : orphans) deleteNow(orphan);
}

void Display::release(Kind kind, GLuint name) {
    if (name) releaseOrphan({kind, name, nullptr});
}

void Display::release(GLsync sync) {
    if (sync) releaseOrphan({Kind::Sync, 0, sync});
}

// Deletes at once on a thread with a current context, otherwise queues for
// the next thread that asks for its context.
void Display::releaseOrphan(const Orphan& orphan) {
    if (closing_) return;
    if (currentContext()) {
        deleteNow(orphan);
        return;
    }
    std::lock_guard lock(mutex_);
    orphans_.push_back(orphan);
    hasOrphans_.store(true, std::memory_order_release);
}

void Display::probeCapabilities() {
    auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return std::string(value ? reinterpret_cast<const char*>(value) : "");
    };
    capabilities_.vendor = text(GL_VENDOR);
    capabilities_.renderer = text(GL_RENDERER);
    capabilities_.version = text(GL_VERSION);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &capabilities_.maxTextureSize);
    glGetIntegerv(GL_MAX_COMPUTE_WORK_GROUP_INVOCATIONS,
                  &capabilities_.maxComputeWorkGroupInvocations);
    capabilities_.fragmentShaderInterlockNv =
        !epoxy_has_gl_extension("GL_ARB_fragment_shader_interlock") &&
        epoxy_has_gl_extension("GL_NV_fragment_shader_interlock");
    capabilities_.fragmentShaderInterlock =
        epoxy_has_gl_extension("GL_ARB_fragment_shader_interlock") ||
        capabilities_.fragmentShaderInterlockNv;
    std::vector<int> forced;
    FormatQuery query = askDriver;
    {
        std::lock_guard lock(g_registryMutex);
        forced = g_forcedUnrenderable;
        if (g_formatQuery) query = g_formatQuery;
    }
    for (const Format& format : allFormats()) {
        const GLint supported = query(format.internalFormat, GL_INTERNALFORMAT_SUPPORTED);
        const GLint texture2D = query(format.internalFormat, GL_TEXTURE_2D);
        const GLint renderable = query(format.internalFormat, GL_FRAMEBUFFER_RENDERABLE);
        capabilities_.texture2D[format.code] = supported == GL_TRUE && texture2D != GL_NONE;
        capabilities_.renderable[format.code] =
            renderable != GL_NONE &&
            std::find(forced.begin(), forced.end(), format.code) == forced.end();
    }
    capabilities_.orderedAccess = orderedAccessSupported(*this, capabilities_);
    capabilities_.edgeOffset = probeEdgeRule(*this);
}

}  // namespace Platform::Gl
