#include "media/DrawingFixture.h"

#include "media/draw/RenderTarget.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextFormat.h"
#include "media/draw/TextLayout.h"

#include <cmath>

namespace {

class TextLayoutTest : public DrawingTest::DrawingServices {
protected:
    static std::unique_ptr<Platform::Cairo::TextFormat> format(float size = 20) {
        return Resource::TextFormat::create(L"DejaVu Sans", size);
    }
    static Platform::Cairo::TextMetrics measure(Platform::Cairo::TextFormat& f, const std::wstring& text) {
        return Resource::TextLayout(&f, text).getMetrics();
    }
};

TEST_F(TextLayoutTest, TrailingWhiteSpaceCountsOnlyInTheWidthIncludingIt) {
    auto f = format();
    const auto word = measure(*f, L"Wide");
    const auto spaced = measure(*f, L"Wide   ");
    EXPECT_GT(word.width, 30.0f);
    EXPECT_FLOAT_EQ(spaced.width, word.width);
    EXPECT_FLOAT_EQ(word.widthIncludingTrailingWhitespace, word.width);
    EXPECT_GT(spaced.widthIncludingTrailingWhitespace, word.width + 10.0f);
    // Leading white space is text.
    EXPECT_GT(measure(*f, L"   Wide").width, word.width + 10.0f);
    EXPECT_EQ(measure(*f, L"   ").width, 0.0f);
}

TEST_F(TextLayoutTest, AnEmptyTextHasOneLineOfTheFontsHeight) {
    auto f = format();
    const auto empty = measure(*f, L"");
    const auto line = measure(*f, L"Ag");
    EXPECT_EQ(empty.lineCount, 1u);
    EXPECT_EQ(empty.width, 0.0f);
    EXPECT_FLOAT_EQ(empty.height, line.height);
    // DejaVu Sans: ascent 0.928 em, descent 0.236 em.
    EXPECT_NEAR(empty.height, 20 * 1.164f, 0.05f);
    EXPECT_EQ(measure(*f, L"a\nb").lineCount, 2u);
    EXPECT_FLOAT_EQ(measure(*f, L"a\nb").height, 2 * line.height);
}

TEST_F(TextLayoutTest, TheLineHeightOfAFormatIsThatOfAnEmptyLayout) {
    Resource::TextFormat style([](Platform::Cairo::TextFormat** out) {
        *out = Resource::TextFormat::create(L"Noto Sans CJK JP", 12).release();
    });
    // Noto Sans CJK: 1.448 em per line.
    EXPECT_NEAR(style.getLineHeight(), 12 * 1.448f, 0.05f);
    EXPECT_EQ(style.getLineHeight(), style.getLineHeight());
    EXPECT_EQ(style.getTextWidth(L"日本語"), 36);  // full-width: one em each
}

TEST_F(TextLayoutTest, TrimmingCutsAtTheWidthWithAnEllipsis) {
    auto f = format();
    Resource::TextFormat holder([](Platform::Cairo::TextFormat** out) { *out = format().release(); });
    const std::wstring text = L"A rather long text that does not fit";
    Resource::TextLayout layout(holder.get(), text);
    const float full = layout.getMetrics().width;
    layout.setTrimming(100, holder.getTrimmingSign());
    const auto trimmed = layout.getMetrics();
    EXPECT_GT(full, 300.0f);
    EXPECT_LE(trimmed.width, 100.0f);
    EXPECT_GT(trimmed.width, 50.0f);
    EXPECT_EQ(trimmed.lineCount, 1u);
    // A text that fits stays whole.
    Resource::TextLayout fits(holder.get(), L"Fits");
    const float whole = fits.getMetrics().width;
    fits.setTrimming(100, holder.getTrimmingSign());
    EXPECT_FLOAT_EQ(fits.getMetrics().width, whole);
    // A negative width counts as 0.
    Resource::TextLayout negative(holder.get(), text);
    negative.setTrimming(-20, holder.getTrimmingSign());
    Resource::TextLayout zero(holder.get(), text);
    zero.setTrimming(0, holder.getTrimmingSign());
    EXPECT_EQ(negative.get()->getMaxWidth(), 0.0f);
    EXPECT_FLOAT_EQ(negative.getMetrics().width, zero.getMetrics().width);
}

TEST_F(TextLayoutTest, HitTestsCountCharactersOfTheWideText) {
    auto f = Resource::TextFormat::create(L"Noto Sans CJK JP", 20);
    Resource::TextLayout layout(f.get(), L"日本語abc");
    Platform::Cairo::TextLayout& text = *layout.get();
    float x = 0;
    float y = 0;
    // Full-width characters are one em wide.
    const auto second = text.hitTestTextPosition(1, false, x, y);
    EXPECT_EQ(second.textPosition, 1u);
    EXPECT_NEAR(x, 20.0f, 0.01f);
    EXPECT_NEAR(second.width, 20.0f, 0.01f);
    text.hitTestTextPosition(1, true, x, y);
    EXPECT_NEAR(x, 40.0f, 0.01f);
    text.hitTestTextPosition(3, false, x, y);
    EXPECT_NEAR(x, 60.0f, 0.01f);

    bool trailing = false;
    bool inside = false;
    EXPECT_EQ(text.hitTestPoint(45, 10, trailing, inside).textPosition, 2u);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(trailing);
    EXPECT_EQ(text.hitTestPoint(55, 10, trailing, inside).textPosition, 2u);
    EXPECT_TRUE(trailing);
    text.hitTestPoint(1000, 10, trailing, inside);
    EXPECT_FALSE(inside);
}

TEST_F(TextLayoutTest, TextIsDrawnInTheBrushInsideItsBox) {
    Media::RenderTargetWindow window;
    window.createRenderTarget(120, 40);
    auto f = format(24);
    Resource::TextLayout layout(f.get(), L"HHHHHHHHHHHH");
    const Platform::Cairo::SolidColorBrush red({1, 0, 0, 1});
    {
        Media::RenderTarget::DrawScope scope(window, 10, 5, 120, 40, true);
        window.drawTextLayout(0, 0, *layout.get(), red, false);
    }
    int inked = 0;
    bool onlyRed = true;
    bool outsideClean = true;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t p = DrawingTest::pixel(window.backBuffer(), x, y);
            if ((p & 0xFFFFFF) == 0) continue;
            ++inked;
            onlyRed &= (p & 0x00FFFF) == 0;
            outsideClean &= x >= 10 && y >= 5;
        }
    }
    EXPECT_GT(inked, 100);
    EXPECT_TRUE(onlyRed);
    EXPECT_TRUE(outsideClean);
}

}  // namespace
