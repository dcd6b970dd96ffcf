#pragma once
// The 2D drawing resources held in Media::ComResource, each named as its
// holder for failure texts. Bitmaps are Cairo image surfaces, released by
// dropping their reference.
#include "media/gpu/ComResource.h"

#include <cairo.h>

namespace Platform::Cairo {
class Brush;
class SolidColorBrush;
class LinearGradientBrush;
class StrokeStyle;
class TextFormat;
class TextLayout;
class PathGeometry;
}  // namespace Platform::Cairo

namespace Platform::Font {
class FontFace;
}

namespace Media {

template <>
inline constexpr const char* comResourcePlace<Platform::Cairo::Brush> =
    "Media::ComResource<struct ID2D1Brush>::createResource";
template <>
inline constexpr const char* comResourcePlace<Platform::Cairo::SolidColorBrush> =
    "Media::ComResource<struct ID2D1SolidColorBrush>::createResource";
template <>
inline constexpr const char* comResourcePlace<Platform::Cairo::LinearGradientBrush> =
    "Media::ComResource<struct ID2D1LinearGradientBrush>::createResource";
template <>
inline constexpr const char* comResourcePlace<Platform::Cairo::StrokeStyle> =
    "Media::ComResource<struct ID2D1StrokeStyle>::createResource";
template <>
inline constexpr const char* comResourcePlace<Platform::Cairo::TextFormat> =
    "Media::ComResource<struct IDWriteTextFormat>::createResource";
template <>
inline constexpr const char* comResourcePlace<Platform::Cairo::TextLayout> =
    "Media::ComResource<struct IDWriteTextLayout>::createResource";
template <>
inline constexpr const char* comResourcePlace<Platform::Cairo::PathGeometry> =
    "Media::ComResource<struct ID2D1PathGeometry>::createResource";
template <>
inline constexpr const char* comResourcePlace<Platform::Font::FontFace> =
    "Media::ComResource<struct IDWriteFontFace1>::createResource";
template <>
inline constexpr const char* comResourcePlace<cairo_surface_t> =
    "Media::ComResource<struct ID2D1Bitmap>::createResource";

template <>
struct ComResourceTraits<cairo_surface_t> {
    static void release(cairo_surface_t* bitmap) { cairo_surface_destroy(bitmap); }
};

}  // namespace Media
