#include "platform/image/CairoBitmap.h"

#include <cairo.h>
#include <climits>
#include <cstring>

namespace Platform::Image {

cairo_surface_t* createCairoBitmap(cairo_t* target, const std::uint8_t* rgba, std::uint32_t width,
                                   std::uint32_t height, std::uint32_t pitch, D2D1_ALPHA_MODE alphaMode) {
    if (!target || (!rgba && width && height) || width > INT_MAX || height > INT_MAX) return nullptr;
    cairo_surface_t* surface = cairo_surface_create_similar_image(
        cairo_get_target(target), CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* in = rgba + static_cast<std::size_t>(y) * pitch;
        auto* out = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (std::uint32_t x = 0; x < width; ++x, in += 4) {
            std::uint8_t r = in[0], g = in[1], b = in[2], a = in[3];
            if (alphaMode == D2D1_ALPHA_MODE_IGNORE) {
                a = 255;
            } else if (alphaMode == D2D1_ALPHA_MODE_STRAIGHT) {
                r = premultiply(r, a);
                g = premultiply(g, a);
                b = premultiply(b, a);
            }
            out[x] = std::uint32_t{a} << 24 | std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

cairo_surface_t* copyCairoBitmap(cairo_t* target, const std::uint8_t* bgra, std::uint32_t width, std::uint32_t height,
                                 std::uint32_t pitch) {
    if (!target || (!bgra && width && height) || width > INT_MAX / 4 || height > INT_MAX) return nullptr;
    cairo_surface_t* surface = cairo_surface_create_similar_image(
        cairo_get_target(target), CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (std::uint32_t y = 0; y < height; ++y)
        std::memcpy(data + static_cast<std::size_t>(y) * stride, bgra + static_cast<std::size_t>(y) * pitch,
                    std::size_t{width} * 4);
    cairo_surface_mark_dirty(surface);
    return surface;
}

}  // namespace Platform::Image
