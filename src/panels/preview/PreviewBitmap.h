#pragma once
// The preview's picture as drawn: a Cairo bitmap owned by one holder.
#include <cairo.h>

#include <memory>

namespace Component {

struct BitmapRelease {
    void operator()(cairo_surface_t* bitmap) const { cairo_surface_destroy(bitmap); }
};
using BitmapPointer = std::unique_ptr<cairo_surface_t, BitmapRelease>;

inline int bitmapWidth(cairo_surface_t* bitmap) { return bitmap ? cairo_image_surface_get_width(bitmap) : 0; }
inline int bitmapHeight(cairo_surface_t* bitmap) { return bitmap ? cairo_image_surface_get_height(bitmap) : 0; }

}  // namespace Component
