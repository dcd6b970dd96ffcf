#include "platform/cairo/TextureUpload.h"

#include "core/base/Exception.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlError.h"
#include "platform/gl/GlTexture.h"

#include <cairo.h>

namespace Platform::Cairo {

namespace {
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057);
}

cairo_surface_t* createTextureImage(int width, int height) {
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

void uploadToTexture(cairo_surface_t* image, Gl::Texture& texture, const char* place) {
    cairo_surface_flush(image);
    if (cairo_image_surface_get_width(image) != texture.width() ||
        cairo_image_surface_get_height(image) != texture.height() ||
        cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32)
        throw System::makeHResultException("glTextureSubImage2D", place, kInvalidArgument);
    Gl::runCommand(texture.display().context(), {{texture.handover().get(), Gl::Access::Write}}, [&] {
        Gl::clearErrors();
        // ARGB32 is one native 32-bit word per pixel: B, G, R, A from the low byte.
        glPixelStorei(GL_UNPACK_ROW_LENGTH, cairo_image_surface_get_stride(image) / 4);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTextureSubImage2D(texture.name(), 0, 0, 0, texture.width(), texture.height(), GL_BGRA,
                            GL_UNSIGNED_INT_8_8_8_8_REV, cairo_image_surface_get_data(image));
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        Gl::checkError("glTextureSubImage2D", place);
    });
}

}  // namespace Platform::Cairo
