#include "platform/gl/GlTexture.h"

#include "core/base/Exception.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlError.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace Platform::Gl {

namespace {

constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);

// The texels a row of `width` pixels takes in storage.
GLsizei storageWidth(const Format& format, GLsizei width) {
    return format.transfer == Format::Transfer::Packed422 ? (width + 1) / 2 : width;
}

}  // namespace

Texture::Texture(Display& display, const Format& format, GLsizei width, GLsizei height,
                 unsigned bindFlags, const void* pixels, std::size_t pitch, const char* place,
                 Contents contents)
    : display_(display),
      format_(display.storageFormat(format, bindFlags)),
      width_(width),
      height_(height),
      bindFlags_(bindFlags),
      id_(nextObjectId()) {
    Context& context = display.context();
    TexturePool::Storage reused = display.texturePool().take(format_, storageWidth(format_, width), height);
    if (reused.name) {
        name_ = reused.name;
        handover_ = std::move(reused.handover);
    } else {
        handover_ = std::make_shared<Handover>();
        createStorage(place);
    }
    try {
        // Made here, used anywhere: the first use elsewhere waits for it. A
        // reused storage first waits for what was done with it before.
        runCommand(context, {{handover_.get(), Access::Write}}, [&] {
            if (pixels) {
                transfer(true, const_cast<void*>(pixels), pitch, place);
            } else if (reused.name && contents == Contents::Zero) {
                clearErrors();
                glClearTexImage(name_, 0, GL_RGBA, GL_FLOAT, nullptr);
                checkError("glClearTexImage", place);
            }
        });
    } catch (...) {
        glDeleteTextures(1, &name_);
        throw;
    }
}

void Texture::createStorage(const char* place) {
    clearErrors();
    glCreateTextures(GL_TEXTURE_2D, 1, &name_);
    glTextureStorage2D(name_, 1, format_.internalFormat, storageWidth(format_, width_), height_);
    try {
        checkError("glTextureStorage2D", place);
    } catch (...) {
        glDeleteTextures(1, &name_);
        throw;
    }
    switch (format_.reads) {
        case Format::Reads::Rgba: break;
        case Format::Reads::OpaqueAlpha:
            glTextureParameteri(name_, GL_TEXTURE_SWIZZLE_A, GL_ONE);
            break;
        case Format::Reads::AlphaOnly:
            glTextureParameteri(name_, GL_TEXTURE_SWIZZLE_R, GL_ZERO);
            glTextureParameteri(name_, GL_TEXTURE_SWIZZLE_G, GL_ZERO);
            glTextureParameteri(name_, GL_TEXTURE_SWIZZLE_B, GL_ZERO);
            break;
    }
}

Texture::~Texture() {
    display_.texturePool().give(
        {&format_, storageWidth(format_, width_), height_, name_, std::move(handover_)});
}

void Texture::transfer(bool toTexture, void* pixels, std::size_t pitch, const char* place) {
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * format_.bytesPerPixel;
    const bool packed = format_.transfer == Format::Transfer::Packed422;
    if (pitch < rowBytes || (packed && !toTexture))
        throw System::makeHResultException(toTexture ? "glTextureSubImage2D" : "glGetTextureSubImage",
                                           place, kInvalidArgument);
    if (format_.transfer == Format::Transfer::Snorm16AsFloat) {
        transferSnorm16(toTexture, pixels, pitch, place);
        return;
    }
    if (packed) {
        // The rows go up as they are, one texel per pair; a last pair
        // without its Cr inside the row gets neutral chroma.
        const GLsizei texels = storageWidth(format_, width_);
        const std::size_t texelBytes = static_cast<std::size_t>(texels) * 4;
        std::vector<std::uint8_t> padded;
        const void* rows = pixels;
        GLint rowLength = static_cast<GLint>(pitch / 4);
        if (pitch < texelBytes || pitch % 4 != 0) {
            padded.assign(texelBytes * static_cast<std::size_t>(height_), 128);
            for (GLsizei y = 0; y < height_; ++y)
                std::memcpy(padded.data() + y * texelBytes, static_cast<const char*>(pixels) + y * pitch,
                            std::min(pitch, texelBytes));
            rows = padded.data();
            rowLength = texels;
        }
        clearErrors();
        glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
        glTextureSubImage2D(name_, 0, 0, 0, texels, height_, GL_RGBA, GL_UNSIGNED_BYTE, rows);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        checkError("glTextureSubImage2D", place);
        return;
    }
    const bool wholeRows = pitch % format_.bytesPerPixel == 0;
    const GLint rowLength = wholeRows ? static_cast<GLint>(pitch / format_.bytesPerPixel) : 0;
    clearErrors();
    if (toTexture) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
        if (wholeRows) {
            glTextureSubImage2D(name_, 0, 0, 0, width_, height_, format_.transferFormat,
                                format_.transferType, pixels);
        } else {
            for (GLsizei y = 0; y < height_; ++y)
                glTextureSubImage2D(name_, 0, 0, y, width_, 1, format_.transferFormat,
                                    format_.transferType, static_cast<char*>(pixels) + y * pitch);
        }
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        checkError("glTextureSubImage2D", place);
    } else {
        glPixelStorei(GL_PACK_ROW_LENGTH, rowLength);
        const std::size_t size = pitch * (height_ - 1) + rowBytes;
        if (wholeRows) {
            glGetTextureSubImage(name_, 0, 0, 0, 0, width_, height_, 1, format_.transferFormat,
                                 format_.transferType, static_cast<GLsizei>(size), pixels);
        } else {
            for (GLsizei y = 0; y < height_; ++y)
                glGetTextureSubImage(name_, 0, 0, y, 0, width_, 1, 1, format_.transferFormat,
                                     format_.transferType, static_cast<GLsizei>(rowBytes),
                                     static_cast<char*>(pixels) + y * pitch);
        }
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        checkError("glGetTextureSubImage", place);
    }
}

void Texture::transferSnorm16(bool toTexture, void* pixels, std::size_t pitch, const char* place) {
    const std::size_t values = static_cast<std::size_t>(width_) * 4;
    std::vector<float> floats(values * static_cast<std::size_t>(height_));
    clearErrors();
    if (toTexture) {
        for (GLsizei y = 0; y < height_; ++y) {
            const auto* row = reinterpret_cast<const std::int16_t*>(static_cast<char*>(pixels) + y * pitch);
            for (std::size_t i = 0; i < values; ++i)
                floats[y * values + i] = std::max(static_cast<float>(row[i]) / 32767.0f, -1.0f);
        }
        glTextureSubImage2D(name_, 0, 0, 0, width_, height_, GL_RGBA, GL_FLOAT, floats.data());
        checkError("glTextureSubImage2D", place);
        return;
    }
    glGetTextureImage(name_, 0, GL_RGBA, GL_FLOAT, static_cast<GLsizei>(floats.size() * sizeof(float)),
                      floats.data());
    checkError("glGetTextureSubImage", place);
    // As a signed normalised target stores what is drawn into it.
    for (GLsizei y = 0; y < height_; ++y) {
        auto* row = reinterpret_cast<std::int16_t*>(static_cast<char*>(pixels) + y * pitch);
        for (std::size_t i = 0; i < values; ++i)
            row[i] = static_cast<std::int16_t>(
                std::lround(std::clamp(floats[y * values + i], -1.0f, 1.0f) * 32767.0f));
    }
}

void Texture::checkRenderTarget(const char* call, const char* place) {
    if (renderTargetChecked_) return;
    if (!(bindFlags_ & RenderTarget))
        throw System::makeHResultException(call, place, kInvalidArgument);
    GLuint framebuffer = 0;
    glCreateFramebuffers(1, &framebuffer);
    glNamedFramebufferTexture(framebuffer, GL_COLOR_ATTACHMENT0, name_, 0);
    const GLenum status = glCheckNamedFramebufferStatus(framebuffer, GL_FRAMEBUFFER);
    glDeleteFramebuffers(1, &framebuffer);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        throw System::makeHResultException(call, place, static_cast<HRESULT>(status),
                                           framebufferStatusName(status));
    renderTargetChecked_ = true;
}

void Texture::upload(const void* pixels, std::size_t pitch, const char* place) {
    runCommand(display_.context(), {{handover_.get(), Access::Write}},
               [&] { transfer(true, const_cast<void*>(pixels), pitch, place); });
}

void Texture::read(void* pixels, std::size_t pitch, const char* place) {
    // The read-back has completed when it returns.
    runCommand(display_.context(), {{handover_.get(), Access::Read}},
               [&] { transfer(false, pixels, pitch, place); }, true);
}

void Texture::clear(const float rgba[4], const char* place) {
    const float alphaOnly[4] = {0.0f, 0.0f, 0.0f, rgba[3]};
    const bool mask = format_.reads == Format::Reads::AlphaOnly;
    runCommand(display_.context(), {{handover_.get(), Access::Write}}, [&] {
        clearErrors();
        glClearTexImage(name_, 0, GL_RGBA, GL_FLOAT, mask ? alphaOnly : rgba);
        checkError("glClearTexImage", place);
    });
}

void Texture::copyFrom(Texture& source, GLint x, GLint y, GLsizei w, GLsizei h, GLint dstX,
                       GLint dstY, const char* place) {
    runCommand(display_.context(),
               {{source.handover_.get(), Access::Read}, {handover_.get(), Access::Write}}, [&] {
                   clearErrors();
                   glCopyImageSubData(source.name_, GL_TEXTURE_2D, 0, x, y, 0, name_,
                                      GL_TEXTURE_2D, 0, dstX, dstY, 0, w, h, 1);
                   checkError("glCopyImageSubData", place);
               });
}

}  // namespace Platform::Gl
