#pragma once
// The face that glyph drawing sets text in: a font found by name (with bold
// and italic) through the font manager, opened at a size in pixels, with its
// line metrics scaled to pixels. Vertical text takes one em per line with
// the baseline in its middle. Setting another font releases the previous
// face. One thread at a time.
#include "media/draw/ComResourceDirect2D.h"
#include "platform/font/FontFace.h"

#include <memory>
#include <string>

namespace Resource {

class FontFace {
public:
    void setFont(const std::wstring& name, float size, bool bold, bool italic, bool strikeThrough, bool vertical);

    Platform::Font::FontFace* get() const { return face_.get(); }
    float size = 0;
    bool vertical = false;
    float lineHeight = 0;
    float ascent = 0;
    float strikeThroughThickness = 0;
    float strikeThroughPosition = 0;
    float scale = 0;  // pixels per design unit

private:
    Media::ComResource<Platform::Font::FontFace> face_;
};

}  // namespace Resource
