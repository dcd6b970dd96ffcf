#include "platform/font/GlyphFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_COLOR_H
#include FT_OUTLINE_H
#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Platform::Font {

namespace {

// FreeType's slant for synthetic oblique faces (about 12 degrees).
constexpr FT_Fixed kObliqueShear = 0x0366A;

struct Decomposer {
    OutlineSink& sink;
    float x = 0;
    float y = 0;
    bool open = false;

    static Decomposer& of(void* user) { return *static_cast<Decomposer*>(user); }

    static int moveTo(const FT_Vector* to, void* user) {
        Decomposer& d = of(user);
        if (d.open) d.sink.close();
        d.x = static_cast<float>(to->x);
        d.y = static_cast<float>(to->y);
        d.sink.moveTo(d.x, d.y);
        d.open = true;
        return 0;
    }
    static int lineTo(const FT_Vector* to, void* user) {
        Decomposer& d = of(user);
        d.x = static_cast<float>(to->x);
        d.y = static_cast<float>(to->y);
        d.sink.lineTo(d.x, d.y);
        return 0;
    }
    // A quadratic arc as the cubic that draws the same curve.
    static int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
        Decomposer& d = of(user);
        const float cx = static_cast<float>(control->x), cy = static_cast<float>(control->y);
        const float tx = static_cast<float>(to->x), ty = static_cast<float>(to->y);
        d.sink.cubicTo(d.x + 2.0f / 3.0f * (cx - d.x), d.y + 2.0f / 3.0f * (cy - d.y), tx + 2.0f / 3.0f * (cx - tx),
                       ty + 2.0f / 3.0f * (cy - ty), tx, ty);
        d.x = tx;
        d.y = ty;
        return 0;
    }
    static int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        Decomposer& d = of(user);
        d.x = static_cast<float>(to->x);
        d.y = static_cast<float>(to->y);
        d.sink.cubicTo(static_cast<float>(c1->x), static_cast<float>(c1->y), static_cast<float>(c2->x),
                       static_cast<float>(c2->y), d.x, d.y);
        return 0;
    }
};

}  // namespace

GlyphFace::GlyphFace(FontFace& face) : face_(face) {
    FT_Face ft = face.face();
    unitsPerEm_ = ft->units_per_EM > 0 ? ft->units_per_EM : 1000;
    // No reference of its own: faces are closed only under the library's
    // lock, by their owner.
    hb_face_t* hbFace = hb_ft_face_create(ft, nullptr);
    font_ = hb_font_create(hbFace);
    hb_face_destroy(hbFace);
    hb_font_set_scale(font_, unitsPerEm_, unitsPerEm_);
    buffer_ = hb_buffer_create();
    if (face.simulations() & SimulationBold) emboldening_ = unitsPerEm_ / 32;
}

GlyphFace::~GlyphFace() {
    hb_buffer_destroy(buffer_);
    hb_font_destroy(font_);
}

unsigned GlyphFace::glyphIndex(char32_t codePoint) const {
    hb_codepoint_t glyph = 0;
    return hb_font_get_nominal_glyph(font_, codePoint, &glyph) ? glyph : 0;
}

unsigned GlyphFace::verticalGlyphIndex(char32_t codePoint) {
    const unsigned nominal = glyphIndex(codePoint);
    if (nominal == 0) return 0;
    // Shaping the one character top to bottom applies the font's vertical
    // forms, as a vertical line would.
    hb_buffer_clear_contents(buffer_);
    hb_buffer_add_codepoints(buffer_, reinterpret_cast<const hb_codepoint_t*>(&codePoint), 1, 0, 1);
    hb_buffer_guess_segment_properties(buffer_);
    hb_buffer_set_direction(buffer_, HB_DIRECTION_TTB);
    hb_shape(font_, buffer_, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer_, &count);
    return count == 1 ? info[0].codepoint : nominal;
}

GlyphMetrics GlyphFace::metrics(unsigned glyph) const {
    GlyphMetrics m;
    m.advanceWidth = hb_font_get_glyph_h_advance(font_, glyph) + emboldening_;
    m.advanceHeight = -hb_font_get_glyph_v_advance(font_, glyph);
    hb_position_t originX = 0, originY = 0;
    hb_font_get_glyph_v_origin(font_, glyph, &originX, &originY);
    m.verticalOriginY = originY;
    hb_glyph_extents_t extents{};
    if (!hb_font_get_glyph_extents(font_, glyph, &extents) || extents.width == 0 || extents.height == 0) {
        // An empty glyph: its box is the advance box.
        m.leftSideBearing = 0;
        m.rightSideBearing = m.advanceWidth;
        m.topSideBearing = m.verticalOriginY;
        m.bottomSideBearing = m.advanceHeight - m.verticalOriginY;
        return m;
    }
    const int width = extents.width + emboldening_;
    const int height = -extents.height + emboldening_;
    m.leftSideBearing = extents.x_bearing;
    m.rightSideBearing = m.advanceWidth - extents.x_bearing - width;
    m.topSideBearing = m.verticalOriginY - (extents.y_bearing + emboldening_);
    m.bottomSideBearing = m.advanceHeight - m.topSideBearing - height;
    return m;
}

bool GlyphFace::outline(unsigned glyph, OutlineSink& sink) const {
    FT_Face ft = face_.face();
    if (FT_Load_Glyph(ft, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) != 0) return false;
    if (ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    FT_Outline& outline = ft->glyph->outline;
    if (emboldening_ > 0) FT_Outline_EmboldenXY(&outline, emboldening_, emboldening_);
    if (face_.simulations() & SimulationOblique) {
        FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
        FT_Outline_Transform(&outline, &shear);
    }
    FT_Outline_Funcs funcs{};
    funcs.move_to = &Decomposer::moveTo;
    funcs.line_to = &Decomposer::lineTo;
    funcs.conic_to = &Decomposer::conicTo;
    funcs.cubic_to = &Decomposer::cubicTo;
    Decomposer decomposer{sink};
    if (FT_Outline_Decompose(&outline, &funcs, &decomposer) != 0) return false;
    if (decomposer.open) sink.close();
    return true;
}

bool GlyphFace::colorLayers(unsigned glyph, std::vector<ColorLayer>& layers) const {
    FT_Face ft = face_.face();
    if (!FT_HAS_COLOR(ft)) return false;
    FT_Palette_Data data{};
    FT_Color* palette = nullptr;
    if (FT_Palette_Data_Get(ft, &data) != 0 || FT_Palette_Select(ft, 0, &palette) != 0) palette = nullptr;
    layers.clear();
    FT_LayerIterator iterator{};
    FT_UInt layerGlyph = 0, colorIndex = 0;
    while (FT_Get_Color_Glyph_Layer(ft, glyph, &layerGlyph, &colorIndex, &iterator)) {
        ColorLayer layer;
        layer.glyph = layerGlyph;
        if (colorIndex == 0xFFFF || !palette || colorIndex >= data.num_palette_entries) {
            layer.foreground = true;
        } else {
            const FT_Color& c = palette[colorIndex];
            layer.r = c.red / 255.0f;
            layer.g = c.green / 255.0f;
            layer.b = c.blue / 255.0f;
            layer.a = c.alpha / 255.0f;
        }
        layers.push_back(layer);
    }
    return !layers.empty();
}

bool GlyphFace::colorBitmap(unsigned glyph, float size, ColorBitmap& bitmap) const {
    FT_Face ft = face_.face();
    if (!FT_HAS_COLOR(ft) || ft->num_fixed_sizes <= 0) return false;
    // The smallest strike at least as large as the size, else the largest.
    int best = 0;
    for (int i = 1; i < ft->num_fixed_sizes; ++i) {
        const float current = ft->available_sizes[best].y_ppem / 64.0f;
        const float candidate = ft->available_sizes[i].y_ppem / 64.0f;
        if ((current < size && candidate > current) || (candidate >= size && candidate < current))
            best = i;
    }
    if (FT_Select_Size(ft, best) != 0) return false;
    if (FT_Load_Glyph(ft, glyph, FT_LOAD_COLOR) != 0) return false;
    const FT_Bitmap& source = ft->glyph->bitmap;
    if (source.pixel_mode != FT_PIXEL_MODE_BGRA || source.width == 0 || source.rows == 0) return false;
    bitmap.width = static_cast<int>(source.width);
    bitmap.height = static_cast<int>(source.rows);
    bitmap.stride = bitmap.width * 4;
    bitmap.pixels.resize(static_cast<std::size_t>(bitmap.stride) * bitmap.height);
    // FreeType's BGRA is premultiplied, byte for byte Cairo's ARGB32 on
    // little-endian machines.
    for (int y = 0; y < bitmap.height; ++y)
        std::memcpy(bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.stride,
                    source.buffer + static_cast<std::ptrdiff_t>(y) * source.pitch, static_cast<std::size_t>(bitmap.stride));
    const float strike = ft->available_sizes[best].y_ppem / 64.0f;
    bitmap.scale = strike > 0 ? size / strike : 1.0f;
    bitmap.left = static_cast<float>(ft->glyph->bitmap_left);
    bitmap.top = static_cast<float>(ft->glyph->bitmap_top);
    return true;
}

}  // namespace Platform::Font
