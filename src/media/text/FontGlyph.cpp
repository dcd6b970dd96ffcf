#include "media/text/FontGlyph.h"

namespace Resource {

namespace {
float overhang(float bearing) { return bearing < 0 ? -bearing : 0.0f; }
}  // namespace

void FontGlyph::setMetrics(Platform::Font::GlyphFace& face, float scale, unsigned glyph, char32_t character) {
    codePoint = character;
    glyphIndex = static_cast<std::uint16_t>(glyph);
    metrics = face.metrics(glyph);
    advanceX = static_cast<float>(metrics.advanceWidth) * scale;
    advanceY = static_cast<float>(metrics.advanceHeight) * scale;
    leftBearing = static_cast<float>(metrics.leftSideBearing) * scale;
    rightBearing = static_cast<float>(metrics.rightSideBearing) * scale;
    topBearing = static_cast<float>(metrics.topSideBearing) * scale;
    bottomBearing = static_cast<float>(metrics.bottomSideBearing) * scale;
}

void FontGlyph::setGlyph(Platform::Font::GlyphFace& face, float scale, char32_t character) {
    setMetrics(face, scale, face.glyphIndex(character), character);
    leftOverhang = overhang(leftBearing);
    rightOverhang = overhang(rightBearing);
    topOverhang = overhang(topBearing);
    bottomOverhang = overhang(bottomBearing);
}

void FontGlyph::setGlyphVertical(Platform::Font::GlyphFace& face, float scale, char32_t character) {
    setMetrics(face, scale, face.verticalGlyphIndex(character), character);
}

}  // namespace Resource
