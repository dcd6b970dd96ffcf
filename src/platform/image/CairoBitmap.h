#pragma once
// Bitmaps of the drawing surfaces: Cairo image surfaces in premultiplied
// ARGB32 (bytes B, G, R, A on this machine), made from 8-bit R, G, B, A rows.
#include "platform/image/AlphaMode.h"

#include <cstdint>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace Platform::Image {

// A new surface made for the target's surface (owned by the caller), or
// null when there is no target or Cairo cannot make it. Straight alpha is
// premultiplied; ignored alpha becomes opaque.
cairo_surface_t* createCairoBitmap(cairo_t* target, const std::uint8_t* rgba, std::uint32_t width,
                                   std::uint32_t height, std::uint32_t pitch, D2D1_ALPHA_MODE alphaMode);

// The same from premultiplied 8-bit B, G, R, A rows, which are the
// surface's own layout: each row is copied as it is.
cairo_surface_t* copyCairoBitmap(cairo_t* target, const std::uint8_t* bgra, std::uint32_t width, std::uint32_t height,
                                 std::uint32_t pitch);

// c × a / 255, rounded: straight colour to premultiplied.
inline std::uint8_t premultiply(std::uint8_t colour, std::uint8_t alpha) {
    return static_cast<std::uint8_t>((colour * alpha + 127) / 255);
}

}  // namespace Platform::Image
