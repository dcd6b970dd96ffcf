#include "platform/font/GlyphFace.h"

#include "support/PinnedFonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using Platform::Font::GlyphFace;

Platform::Font::Font fontOf(const char* family) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    Platform::Font::Font font;
    FcPatternGetString(match, FC_FILE, 0, &file);
    FcPatternGetInteger(match, FC_INDEX, 0, &font.index);
    font.file = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return font;
}

// The box of an outline's points, design units.
struct BoxSink final : Platform::Font::OutlineSink {
    float left = 1e9f, bottom = 1e9f, right = -1e9f, top = -1e9f;
    int figures = 0;
    void add(float x, float y) {
        left = std::min(left, x), right = std::max(right, x);
        bottom = std::min(bottom, y), top = std::max(top, y);
    }
    void moveTo(float x, float y) override { add(x, y); }
    void lineTo(float x, float y) override { add(x, y); }
    void cubicTo(float, float, float, float, float x, float y) override { add(x, y); }
    void close() override { ++figures; }
};

TEST(GlyphFaceTest, MetricsAgreeWithFreeTypesOwnHorizontalAndVerticalMetrics) {
    Platform::Font::FontFace face(fontOf("Noto Sans CJK JP"), "call", "place");
    GlyphFace glyphs(face);
    EXPECT_EQ(glyphs.unitsPerEm(), 1000);
    for (char32_t c : {U'一', U'H', U'g', U'、'}) {
        SCOPED_TRACE(static_cast<unsigned>(c));
        const unsigned glyph = glyphs.glyphIndex(c);
        ASSERT_NE(glyph, 0u);
        const Platform::Font::GlyphMetrics m = glyphs.metrics(glyph);
        FT_Face ft = face.face();
        ASSERT_EQ(FT_Load_Glyph(ft, glyph, FT_LOAD_NO_SCALE | FT_LOAD_VERTICAL_LAYOUT), 0);
        const FT_Glyph_Metrics& v = ft->glyph->metrics;
        EXPECT_EQ(m.advanceWidth, v.horiAdvance);
        EXPECT_EQ(m.leftSideBearing, v.horiBearingX);
        EXPECT_EQ(m.rightSideBearing, v.horiAdvance - v.horiBearingX - v.width);
        EXPECT_EQ(m.advanceHeight, v.vertAdvance);
        EXPECT_EQ(m.topSideBearing, v.vertBearingY);
        EXPECT_EQ(m.bottomSideBearing, v.vertAdvance - v.vertBearingY - v.height);
        BoxSink box;
        ASSERT_TRUE(glyphs.outline(glyph, box));
        EXPECT_GT(box.figures, 0);
        EXPECT_NEAR(box.left, v.horiBearingX, 1);
        EXPECT_NEAR(box.top, v.horiBearingY, 1);
    }
    EXPECT_EQ(glyphs.glyphIndex(U'\uE123'), 0u);  // no glyph: the missing glyph
}

TEST(GlyphFaceTest, VerticalLinesUseTheFontsVerticalForms) {
    Platform::Font::FontFace face(fontOf("Noto Sans CJK JP"), "call", "place");
    GlyphFace glyphs(face);
    for (char32_t c : {U'、', U'。', U'ー', U'（'}) EXPECT_NE(glyphs.verticalGlyphIndex(c), glyphs.glyphIndex(c));
    for (char32_t c : {U'一', U'A', U'日'}) EXPECT_EQ(glyphs.verticalGlyphIndex(c), glyphs.glyphIndex(c));
    EXPECT_EQ(glyphs.verticalGlyphIndex(U'\uE123'), 0u);
}

TEST(GlyphFaceTest, ColourGlyphsComeAsPaletteLayers) {
    Platform::Font::Font font;
    font.file = MOVANE2_SOURCE_DIR "/tests/data/fonts/color/color-layers.ttf";
    Platform::Font::FontFace face(font, "call", "place");
    GlyphFace glyphs(face);
    std::vector<Platform::Font::ColorLayer> layers;
    ASSERT_TRUE(glyphs.colorLayers(glyphs.glyphIndex(U'\uE000'), layers));
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_FALSE(layers[0].foreground);
    EXPECT_FLOAT_EQ(layers[0].r, 1);
    EXPECT_FLOAT_EQ(layers[0].g, 0);
    EXPECT_FLOAT_EQ(layers[0].a, 1);
    EXPECT_TRUE(layers[1].foreground);
    BoxSink inner;
    ASSERT_TRUE(glyphs.outline(layers[1].glyph, inner));
    EXPECT_FLOAT_EQ(inner.left, 250);
    EXPECT_FLOAT_EQ(inner.top, 750);

    EXPECT_FALSE(glyphs.colorLayers(glyphs.glyphIndex(U'\uE001'), layers));
    Platform::Font::ColorBitmap bitmap;
    EXPECT_FALSE(glyphs.colorBitmap(glyphs.glyphIndex(U'\uE000'), 40, bitmap));
}

}  // namespace
