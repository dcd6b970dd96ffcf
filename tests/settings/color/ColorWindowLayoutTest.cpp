#include "settings/color/ColorWindowLayout.h"

#include <gtest/gtest.h>

using Component::ColorWindowLayout;

namespace {

void expectBox(const ColorWindowLayout::Box& box, int left, int top, int right, int bottom, const char* what) {
    EXPECT_EQ(box.left, left) << what;
    EXPECT_EQ(box.top, top) << what;
    EXPECT_EQ(box.right, right) << what;
    EXPECT_EQ(box.bottom, bottom) << what;
}

}  // namespace

// Margin 4, rows 20 high (pitch 22): the swatch and slider blocks are
// 3 · 22 + 2 = 68 high, starting a margin below a 24-pixel title band.
TEST(ColorWindowLayout, WideWindowShowsBothSliderColumns) {
    const ColorWindowLayout l = ColorWindowLayout::compute(480, 650, 24, 4, 20, 82);
    EXPECT_TRUE(l.hsvShown);
    expectBox(l.swatch, 4, 28, 68, 68, "swatch");
    // Column width (480 − 12 − 68) ÷ 2 = 200.
    expectBox(l.rgb, 72, 28, 200, 68, "rgb");
    expectBox(l.hsv, -204, 28, 200, 68, "hsv from the right edge");
    // Below the blocks at 28 + 68 + 4 + 2; side limited by half the width.
    expectBox(l.wheel, 2, 102, 236, 236, "wheel");
    // The palette a margin right of the wheel: 2 + 4 + 236.
    expectBox(l.palette, 242, 102, 236, 236, "palette");
}

TEST(ColorWindowLayout, NarrowWindowShowsOnlyTheRgbSliders) {
    const ColorWindowLayout l = ColorWindowLayout::compute(200, 400, 24, 4, 20, 82);
    EXPECT_FALSE(l.hsvShown);
    expectBox(l.rgb, 72, 28, -4, 68, "rgb stretched to the right edge less the margin");
    expectBox(l.hsv, -1, -1, -1, -1, "hsv collapsed");
    expectBox(l.wheel, 2, 102, 96, 96, "wheel");
    expectBox(l.palette, 102, 102, 96, 96, "palette");
    // Exactly the needed width still shows both.
    EXPECT_TRUE(ColorWindowLayout::compute(12 + 68 + 2 * 82, 400, 24, 4, 20, 82).hsvShown);
    EXPECT_FALSE(ColorWindowLayout::compute(12 + 68 + 2 * 82 - 2, 400, 24, 4, 20, 82).hsvShown);
}

TEST(ColorWindowLayout, TinyWindowKeepsOnePixelBoxes) {
    const ColorWindowLayout l = ColorWindowLayout::compute(10, 10, 24, 4, 20, 82);
    EXPECT_EQ(l.wheel.right, 1);
    EXPECT_EQ(l.wheel.bottom, 1);
}
