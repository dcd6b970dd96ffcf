#include "settings/rows/EffectItemColorControl.h"

#include "settings/rows/RowTestSupport.h"

namespace RowTest {
namespace {

using Component::EffectItemColorControl;

class ColorRow : public RowFixture {
protected:
    void SetUp() override {
        RowFixture::SetUp();
        a = place(0);
        host.target = a;
    }
    // Typing in the field, one character after another, then leaving it.
    static void typeHex(EffectItemColorControl& row, const std::wstring& text) {
        std::wstring typed;
        if (text.empty()) row.hexField.editChanged(L"");
        for (wchar_t c : text) row.hexField.editChanged(typed += c);
        row.hexField.endEditing();
    }
    static std::tuple<int, int, int, bool> colorOf(const Effect::EffectItemColor& item) {
        return {item.red, item.green, item.blue, item.noColor};
    }
    Edit::ObjectPointer a;
};

TEST_F(ColorRow, TypingAHexCodeSetsTheColourHereAndInTheSelectionInOneUndoStep) {
    const Edit::ObjectPointer b = place(1);
    scene().selectObject(a);
    scene().selectObject(b);
    auto& row = rowOf<EffectItemColorControl>(rowsOf(a).color);
    typeHex(row, L"ff8000");
    EXPECT_EQ(colorOf(rowsOf(a).color), std::make_tuple(255, 128, 0, false));
    EXPECT_EQ(colorOf(rowsOf(b).color), std::make_tuple(255, 128, 0, false));
    EXPECT_EQ(row.rgbText.text, L"255,128,0");
    EXPECT_EQ(row.hexField.text, L"ff8000");
    undo().undo();
    EXPECT_EQ(colorOf(rowsOf(a).color), std::make_tuple(255, 255, 255, false));
    EXPECT_EQ(colorOf(rowsOf(b).color), std::make_tuple(255, 255, 255, false));
    EXPECT_FALSE(undo().canUndo());
}

TEST_F(ColorRow, ClearingTheFieldClearsOnlyAColourThatMayBeNone) {
    // 光色 (type 14) becomes no colour: grey swatch, no RGB text, "未指定".
    auto& light = rowOf<EffectItemColorControl>(rowsOf(a).light);
    typeHex(light, L"");
    EXPECT_TRUE(rowsOf(a).light.noColor);
    EXPECT_EQ(light.rgbText.text, L"");
    EXPECT_EQ(light.hexField.text, L"");
    EXPECT_EQ(light.hexField.placeholder, L"未指定");
    light.swatch.procPaint();
    const Window::Rect& s = light.swatch.fullRect();
    EXPECT_EQ(at(s.x + s.width / 2, s.y + s.height / 2), 0xA8A8A8u);  // 0.66 of 255

    // 色 (type 7) keeps its colour; a text that is no colour changes nothing.
    auto& color = rowOf<EffectItemColorControl>(rowsOf(a).color);
    typeHex(color, L"");
    typeHex(color, L"12zz56");
    EXPECT_EQ(colorOf(rowsOf(a).color), std::make_tuple(255, 255, 255, false));
    EXPECT_EQ(color.hexField.text, L"ffffff");
}

TEST_F(ColorRow, TheSwatchOutlineIsAGreyAwayFromTheColoursLightness) {
    struct Case {
        std::uint8_t r, g, b;
        float grey;
    };
    for (const Case& k : {Case{255, 255, 255, 0.34f}, Case{0, 0, 0, 0.66f}, Case{128, 128, 128, 0.2f},
                          Case{255, 0, 0, 0.8f}}) {
        EXPECT_NEAR(EffectItemColorControl::outlineGrey(k.r, k.g, k.b), k.grey, 1e-4);
    }
    // Drawn: black inside a 0.66 frame.
    rowsOf(a).color.red = rowsOf(a).color.green = rowsOf(a).color.blue = 0;
    auto& row = rowOf<EffectItemColorControl>(rowsOf(a).color);
    row.swatch.procPaint();
    const Window::Rect& s = row.swatch.fullRect();
    EXPECT_EQ(at(s.x, s.y + s.height / 2), 0xA8A8A8u);
    EXPECT_EQ(at(s.x + s.width / 2, s.y + s.height / 2), 0x000000u);
}

TEST_F(ColorRow, APickOnAColourThatMayBeNoneClearsItThenTakesThePickedColourAsTwoSteps) {
    auto& row = rowOf<EffectItemColorControl>(rowsOf(a).light);
    row.startPick();
    EXPECT_TRUE(row.picking);
    EXPECT_TRUE(rowsOf(a).light.noColor);
    EXPECT_EQ(row.rgbText.text, L"マウスクリックで色を取得");
    const Window::PickedColor green{0, 255, 0};
    row.procPickColor(&green);
    EXPECT_FALSE(row.picking);
    EXPECT_EQ(colorOf(rowsOf(a).light), std::make_tuple(0, 255, 0, false));
    EXPECT_EQ(row.rgbText.text, L"0,255,0");
    undo().undo();
    EXPECT_TRUE(rowsOf(a).light.noColor);
    undo().undo();
    EXPECT_EQ(colorOf(rowsOf(a).light), std::make_tuple(10, 20, 30, false));

    // A pick that ends without a colour only refreshes the row.
    row.startPick();
    row.procPickColor(nullptr);
    EXPECT_FALSE(row.picking);
    EXPECT_EQ(row.rgbText.text, L"");
}

}  // namespace
}  // namespace RowTest
