#pragma once
// The metrics of one glyph at the current size: its design metrics times the
// face's scale, with the overhangs (the parts of the glyph past its advance
// box: negated bearings where they are negative).
#include "platform/font/GlyphFace.h"

#include <cstdint>

namespace Resource {

struct FontGlyph {
    float advanceX = 0;
    float advanceY = 0;
    float offsetX = 0;
    float offsetY = 0;
    float leftBearing = 0;
    float rightBearing = 0;
    float topBearing = 0;
    float bottomBearing = 0;
    float leftOverhang = 0;
    float rightOverhang = 0;
    float topOverhang = 0;
    float bottomOverhang = 0;
    char32_t codePoint = 0;
    std::uint16_t glyphIndex = 0;
    Platform::Font::GlyphMetrics metrics;

    // The ordinary glyph of the character.
    void setGlyph(Platform::Font::GlyphFace& face, float scale, char32_t character);
    // Its vertical form; the overhangs keep their values.
    void setGlyphVertical(Platform::Font::GlyphFace& face, float scale, char32_t character);

private:
    void setMetrics(Platform::Font::GlyphFace& face, float scale, unsigned glyph, char32_t character);
};

}  // namespace Resource
