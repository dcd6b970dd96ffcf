#include "media/DrawingFixture.h"

#include "media/draw/BitmapList.h"
#include "media/draw/ColorBrushList.h"
#include "media/draw/GdiFontList.h"
#include "media/draw/RenderTarget.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/draw/StrokeStyleList.h"
#include "media/draw/TextFormatList.h"

#include <pango/pango.h>

#include <cmath>

namespace {

using Brushes = Resource::ColorBrushList;
using Platform::Cairo::ColorF;

class StyleTablesTest : public DrawingTest::DrawingServices {};

void expectColor(const ColorF& actual, const ColorF& expected) {
    EXPECT_NEAR(actual.r, expected.r, 1e-6);
    EXPECT_NEAR(actual.g, expected.g, 1e-6);
    EXPECT_NEAR(actual.b, expected.b, 1e-6);
    EXPECT_NEAR(actual.a, expected.a, 1e-6);
}

ColorF solidColor(Brushes& brushes, Brushes::Id id) {
    const auto* solid = dynamic_cast<const Platform::Cairo::SolidColorBrush*>(&brushes[id]);
    EXPECT_NE(solid, nullptr) << id;
    return solid ? solid->getColor() : ColorF{};
}

TEST_F(StyleTablesTest, EveryBrushOfTheShippedStyleCanBeMade) {
    Brushes brushes;
    for (int id = 0; id < Brushes::Count; ++id) {
        SCOPED_TRACE(id);
        Platform::Cairo::Brush& brush = brushes[static_cast<Brushes::Id>(id)];
        EXPECT_EQ(dynamic_cast<Platform::Cairo::LinearGradientBrush*>(&brush) != nullptr,
                  Brushes::isGradient(static_cast<Brushes::Id>(id)));
    }
}

TEST_F(StyleTablesTest, BrushesTakeTheirKindsColoursFromTheStyle) {
    useStyle(
        "[Color]\nBackground=102030\nBorder=40506080\nFooterProgress=ff0000,00ff00\nLevelMeterRed=a0b0c0\n"
        "ObjectVideo=000000,808080,ffffff\nClippingObject=11223344,55667788\n");
    Brushes brushes;
    struct Case {
        Brushes::Id id;
        ColorF color;
    };
    const Case cases[] = {
        {Brushes::Background, {0x10 / 255.f, 0x20 / 255.f, 0x30 / 255.f, 1}},
        {Brushes::Border, {0x40 / 255.f, 0x50 / 255.f, 0x60 / 255.f, 0x80 / 255.f}},
        {Brushes::BorderHalf, {0x40 / 255.f, 0x50 / 255.f, 0x60 / 255.f, 0x80 / 255.f * 0.5f}},
        {Brushes::FooterProgress0, {1, 0, 0, 1}},
        {Brushes::FooterProgress1, {0, 1, 0, 1}},
        // One colour serves both entries.
        {Brushes::LevelMeterRed0, {0xa0 / 255.f, 0xb0 / 255.f, 0xc0 / 255.f, 1}},
        {Brushes::LevelMeterRed1, {0xa0 / 255.f, 0xb0 / 255.f, 0xc0 / 255.f, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        expectColor(solidColor(brushes, c.id), c.color);
    }

    // Gradients run from the list's first colour to its last.
    const auto& video = brushes.gradient(Brushes::ObjectVideo).getStops();
    expectColor(video[0].color, {0, 0, 0, 1});
    expectColor(video[1].color, {1, 1, 1, 1});
    EXPECT_EQ(video[0].position, 0.0f);
    EXPECT_EQ(video[1].position, 1.0f);
    // Fades: the last colour, fully transparent at 0.
    const auto& fade = brushes.gradient(Brushes::ClippingObjectFade).getStops();
    expectColor(fade[0].color, {0x55 / 255.f, 0x66 / 255.f, 0x77 / 255.f, 0});
    expectColor(fade[1].color, {0x55 / 255.f, 0x66 / 255.f, 0x77 / 255.f, 0x88 / 255.f});
}

TEST_F(StyleTablesTest, ABrushIsMadeOnceAndOnlyWhenAskedFor) {
    Brushes brushes;
    EXPECT_FALSE(brushes.isCreated(Brushes::Text));
    Platform::Cairo::Brush* first = &brushes[Brushes::Text];
    EXPECT_TRUE(brushes.isCreated(Brushes::Text));
    EXPECT_EQ(&brushes[Brushes::Text], first);
    EXPECT_FALSE(brushes.isCreated(Brushes::TextDisable));
}

TEST_F(StyleTablesTest, AMissingColourFailsAtTheRequestAndIsTriedAgain) {
    useStyle("[Color]\nAnchor=\n");
    Brushes brushes;
    const std::string text = CoreTest::failureText([&] { brushes[Brushes::Anchor]; });
    EXPECT_NE(text.find("ini file parameter invalid format(RGB) or undefined."), std::string::npos) << text;
    EXPECT_NE(text.find("key=Anchor"), std::string::npos) << text;
    EXPECT_FALSE(brushes.isCreated(Brushes::Anchor));
    settings().styleConfig.getValue("Color", "Anchor").text = "ff8000";
    expectColor(solidColor(brushes, Brushes::Anchor), {1, 0x80 / 255.f, 0, 1});
}

TEST_F(StyleTablesTest, GradientFillsRunAcrossTheRectangle) {
    useStyle("[Color]\nObjectAudio=000000,ffffff\n");
    Media::RenderTargetWindow window;
    window.createRenderTarget(101, 20);
    {
        Media::RenderTarget::DrawScope scope(window, 0, 0, 101, 20, true);
        window.fillGradient(0, 0, 101, 10, window.brushList.gradient(Brushes::ObjectAudio), false);
        window.fillGradient(0, 10, 101, 20, window.brushList.gradient(Brushes::ObjectAudioFade), false);
    }
    const auto grey = [&](int x, int y) { return DrawingTest::pixel(window.backBuffer(), x, y) & 0xFF; };
    EXPECT_LE(grey(0, 5), 3u);
    EXPECT_GE(grey(100, 5), 252u);
    EXPECT_NEAR(static_cast<int>(grey(50, 5)), 128, 4);
    // The fade goes from transparent (the black back buffer) to white.
    EXPECT_LE(grey(0, 15), 3u);
    EXPECT_GE(grey(100, 15), 252u);
}

TEST_F(StyleTablesTest, EveryPictureOfTheWindowIsA32PixelSquare) {
    Media::RenderTargetWindow window;
    window.createRenderTarget(8, 8);
    for (int id = 0; id < Resource::BitmapList::Count; ++id) {
        SCOPED_TRACE(Resource::BitmapList::resourceIds[id]);
        cairo_surface_t* bitmap = window.bitmapList[static_cast<Resource::BitmapList::Id>(id)];
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(cairo_image_surface_get_width(bitmap), 32);
        EXPECT_EQ(cairo_image_surface_get_height(bitmap), 32);
        EXPECT_EQ(cairo_image_surface_get_format(bitmap), CAIRO_FORMAT_ARGB32);
        EXPECT_EQ(window.bitmapList[static_cast<Resource::BitmapList::Id>(id)], bitmap);
    }
    // The arrows sit on an opaque black square; the others on transparency.
    EXPECT_EQ(DrawingTest::pixel(window.bitmapList[Resource::BitmapList::ArrowUp], 0, 0), 0xFF000000u);
    EXPECT_EQ(DrawingTest::pixel(window.bitmapList[Resource::BitmapList::Gear], 0, 0), 0u);
}

TEST_F(StyleTablesTest, TextFormatsComeFromTheFontKeys) {
    useStyle("[Font]\nDefaultFamily=DejaVu Sans\nControl=15,Noto Sans CJK JP\nLog=12\n");
    Resource::TextFormatList formats;
    using Index = Resource::TextFormatList;
    EXPECT_EQ(formats[Index::Control].getName(), L"Noto Sans CJK JP");
    EXPECT_FLOAT_EQ(formats[Index::Control].get()->getFontSize(), 15);
    // The small control font follows Control.
    EXPECT_EQ(formats[Index::ControlSmall].getName(), L"Noto Sans CJK JP");
    EXPECT_FLOAT_EQ(formats[Index::ControlSmall].get()->getFontSize(), 12);
    // Without a family: the style's default family.
    EXPECT_EQ(formats[Index::Log].getName(), L"DejaVu Sans");
    EXPECT_FLOAT_EQ(formats[Index::Log].get()->getFontSize(), 12);
    EXPECT_EQ(formats[Index::Log].get()->getWordWrapping(), Platform::Cairo::WordWrapping::NoWrap);
    EXPECT_EQ(formats[Index::Log].get(), formats[Index::Log].get());
}

TEST_F(StyleTablesTest, AMalformedFontSizeFailsAtTheFirstUse) {
    useStyle("[Font]\nFooter=big,DejaVu Sans\n");
    Resource::TextFormatList formats;
    const std::string text = CoreTest::failureText([&] { formats[Resource::TextFormatList::Footer].get(); });
    EXPECT_NE(text.find("ini file parameter invalid format(float)"), std::string::npos) << text;
}

TEST_F(StyleTablesTest, ControlFontsOfDialogsTakeAWholePixelHeight) {
    useStyle("[Font]\nControl=13.7,Noto Sans CJK JP\n");
    const Resource::GdiFontList fonts;
    EXPECT_EQ(pango_font_description_get_size(fonts.normal()), 13 * PANGO_SCALE);
    EXPECT_TRUE(pango_font_description_get_size_is_absolute(fonts.normal()));
    EXPECT_STREQ(pango_font_description_get_family(fonts.bold()), "Noto Sans CJK JP");
    EXPECT_EQ(pango_font_description_get_weight(fonts.normal()), 400);
    EXPECT_EQ(pango_font_description_get_weight(fonts.bold()), 700);
}

TEST_F(StyleTablesTest, StrokeStylesFollowTheTable) {
    using List = Resource::StrokeStyleList;
    using namespace Platform::Cairo;
    List styles;
    struct Case {
        List::Index index;
        CapStyle cap;
        LineJoin join;
        float miterLimit;
        std::vector<float> dashes;
    };
    const Case cases[] = {
        {List::CustomDash, CapStyle::Flat, LineJoin::Miter, 10, {3, 3}},
        {List::StandardDash, CapStyle::Flat, LineJoin::Miter, 10, {2, 2}},
        {List::Round, CapStyle::Round, LineJoin::Round, 1, {}},
        {List::Bevel, CapStyle::Flat, LineJoin::Bevel, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        const StrokeStyle* style = styles.get(c.index);
        EXPECT_EQ(style->properties().startCap, c.cap);
        EXPECT_EQ(style->properties().dashCap, c.cap);
        EXPECT_EQ(style->properties().lineJoin, c.join);
        EXPECT_EQ(style->properties().miterLimit, c.miterLimit);
        EXPECT_EQ(style->dashes(), c.dashes);
        EXPECT_EQ(style->properties().dashOffset, 0.0f);
        EXPECT_EQ(styles.get(c.index), style);
    }
}

TEST_F(StyleTablesTest, DashLengthsScaleWithTheStrokeWidth) {
    Media::RenderTargetWindow window;
    window.createRenderTarget(40, 8);
    const Platform::Cairo::SolidColorBrush white({1, 1, 1, 1});
    Resource::StrokeStyleList styles;
    {
        Media::RenderTarget::DrawScope scope(window, 0, 0, 40, 8, true);
        // Width 2: 6 pixels on, 6 off along row 3-4.
        window.target->drawLine({0, 4}, {40, 4}, white, 2.0f,
                                styles.get(Resource::StrokeStyleList::CustomDash));
    }
    std::string row;
    for (int x = 0; x < 24; ++x) row += (DrawingTest::pixel(window.backBuffer(), x, 3) & 0xFF) > 128 ? '#' : '.';
    EXPECT_EQ(row, "######......######......");
}

}  // namespace
