#pragma once
// Glyph-by-glyph work on an opened face, in design units (y up): glyph
// indices from the character map, vertical forms through the font's
// vertical substitutions, the design metrics of a glyph with vertical
// metrics synthesised for faces without them, outlines with the face's
// simulations (synthetic bold and slant) applied, and colour glyphs as
// palette layers or as colour bitmaps.
//
// Wraps a FontFace it does not own, which must outlive it. One thread at a
// time, like the face.
#include "platform/font/FontFace.h"

#include <cstdint>
#include <vector>

typedef struct hb_font_t hb_font_t;
typedef struct hb_buffer_t hb_buffer_t;

namespace Platform::Font {

struct GlyphMetrics {
    int leftSideBearing = 0;
    int advanceWidth = 0;
    int rightSideBearing = 0;
    int topSideBearing = 0;
    int advanceHeight = 0;
    int bottomSideBearing = 0;
    int verticalOriginY = 0;
};

// Receives an outline in design units, y up; figures are closed.
class OutlineSink {
public:
    virtual ~OutlineSink() = default;
    virtual void moveTo(float x, float y) = 0;
    virtual void lineTo(float x, float y) = 0;
    virtual void cubicTo(float x1, float y1, float x2, float y2, float x, float y) = 0;
    virtual void close() = 0;
};

struct ColorLayer {
    unsigned glyph = 0;
    // Layers drawn in the text's own colour carry no colour of their own.
    bool foreground = false;
    float r = 0, g = 0, b = 0, a = 1;
};

// A colour bitmap glyph: premultiplied ARGB32 rows (Cairo's layout), placed
// with its top-left corner at (left, -top) from the origin once scaled by
// `scale` (from the strike's pixels to the requested size).
struct ColorBitmap {
    int width = 0;
    int height = 0;
    int stride = 0;
    float left = 0;
    float top = 0;
    float scale = 1;
    std::vector<std::uint8_t> pixels;
};

class GlyphFace {
public:
    explicit GlyphFace(FontFace& face);
    ~GlyphFace();
    GlyphFace(const GlyphFace&) = delete;
    GlyphFace& operator=(const GlyphFace&) = delete;

    int unitsPerEm() const { return unitsPerEm_; }
    // 0 (the missing glyph) when the face has no glyph for the character.
    unsigned glyphIndex(char32_t codePoint) const;
    // The glyph the face sets in vertical lines: its vertical alternate when
    // it has one, else the ordinary glyph.
    unsigned verticalGlyphIndex(char32_t codePoint);
    GlyphMetrics metrics(unsigned glyph) const;
    // False when the glyph cannot be loaded; an empty glyph gives no figure.
    bool outline(unsigned glyph, OutlineSink& sink) const;

    // The layers of a colour glyph of the first palette, bottom first; false
    // for a glyph without layers.
    bool colorLayers(unsigned glyph, std::vector<ColorLayer>& layers) const;
    // The colour bitmap of a glyph at a size in pixels; false when the face
    // has none for it.
    bool colorBitmap(unsigned glyph, float size, ColorBitmap& bitmap) const;

private:
    FontFace& face_;
    hb_font_t* font_ = nullptr;
    hb_buffer_t* buffer_ = nullptr;
    int unitsPerEm_ = 0;
    int emboldening_ = 0;  // design units added by synthetic bold
};

}  // namespace Platform::Font
