#pragma once
// A shared 2D texture: one level, one sample, in one of the formats of the
// format table, with the D3D-style bind flags it was made for. Any thread
// may destroy it (the name is released through the display); every other
// operation runs on the calling thread's context and hands over between
// contexts through its hand-over record. Failures throw the HRESULT exception with
// the GL call and the caller's place.
#include "platform/gl/GlFormat.h"
#include "platform/gl/GlSync.h"

#include <epoxy/gl.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace Platform::Gl {

class Context;
class Display;

class Texture {
public:
    enum BindFlags : unsigned {
        ShaderResource = 0x08,
        RenderTarget = 0x20,
        UnorderedAccess = 0x80,
    };

    // What a texture made without pixels holds: zeros, or whatever its
    // storage held, for a caller that overwrites every texel before any
    // read (a software renderer pays a full pass for each clear).
    enum class Contents { Zero, Undefined };

    // pixels may be null (the texture then holds `contents`); pitch is the
    // CPU row step. Storage of a dropped texture of the same storage format
    // and size is reused (see GlTexturePool.h).
    Texture(Display& display, const Format& format, GLsizei width, GLsizei height,
            unsigned bindFlags, const void* pixels, std::size_t pitch, const char* place,
            Contents contents = Contents::Zero);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    void upload(const void* pixels, std::size_t pitch, const char* place);
    // Rows top first, `pitch` bytes apart, in the format's transfer layout.
    void read(void* pixels, std::size_t pitch, const char* place);
    // The colour in RGBA; masks keep only alpha.
    void clear(const float rgba[4], const char* place);
    // Throws the HRESULT exception with `call` and the framebuffer status
    // when the texture cannot be a render target (checked once).
    void checkRenderTarget(const char* call, const char* place);
    // Copies the source rectangle (x, y, w, h) to (dstX, dstY) of this one.
    void copyFrom(Texture& source, GLint x, GLint y, GLsizei w, GLsizei h, GLint dstX,
                  GLint dstY, const char* place);

    // Its hand-over record, for runCommand; shared with the contexts that
    // have the texture bound, so a pass can still hand over what it wrote
    // when the texture went meanwhile.
    const std::shared_ptr<Handover>& handover() const { return handover_; }

    GLuint name() const { return name_; }
    std::uint64_t id() const { return id_; }
    GLsizei width() const { return width_; }
    GLsizei height() const { return height_; }
    const Format& format() const { return format_; }
    unsigned bindFlags() const { return bindFlags_; }
    Display& display() const { return display_; }

private:
    void createStorage(const char* place);
    void transfer(bool toTexture, void* pixels, std::size_t pitch, const char* place);
    void transferSnorm16(bool toTexture, void* pixels, std::size_t pitch, const char* place);

    Display& display_;
    const Format& format_;
    GLsizei width_;
    GLsizei height_;
    unsigned bindFlags_;
    GLuint name_ = 0;
    std::uint64_t id_;
    std::shared_ptr<Handover> handover_;
    std::atomic<bool> renderTargetChecked_{false};
};

}  // namespace Platform::Gl
