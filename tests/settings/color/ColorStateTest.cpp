#include "settings/color/ColorState.h"

#include <gtest/gtest.h>

using Component::ColorState;

TEST(ColorState, BlackAndGreyKeepTheWheelWhereItWas) {
    ColorState state;
    ASSERT_TRUE(state.setColor(0, 0, 1, 1));
    EXPECT_NEAR(state.hue, 2.0f / 3, 1e-5);
    EXPECT_FLOAT_EQ(state.saturation, 1);

    ASSERT_TRUE(state.setColor(0, 0, 0, 1));
    EXPECT_NEAR(state.hue, 2.0f / 3, 1e-5) << "black keeps the hue";
    EXPECT_FLOAT_EQ(state.saturation, 1) << "black keeps the saturation";
    EXPECT_FLOAT_EQ(state.value, 0);

    ASSERT_TRUE(state.setColor(0.5f, 0.5f, 0.5f, 1));
    EXPECT_NEAR(state.hue, 2.0f / 3, 1e-5) << "a grey keeps the hue";
    EXPECT_FLOAT_EQ(state.saturation, 0);
    EXPECT_FLOAT_EQ(state.value, 0.5f);
}

TEST(ColorState, SameBytesChangeNothing) {
    ColorState state;
    ASSERT_TRUE(state.setColor(1, 0, 0, 1));
    EXPECT_FALSE(state.setColor(1, 0.4f / 255, 0, 1));
    EXPECT_FLOAT_EQ(state.current[1], 0);
    EXPECT_TRUE(state.setColor(1, 0.6f / 255, 0, 1));
}

TEST(ColorState, SliderEntriesAreClamped) {
    ColorState state;
    state.setHsv(0.5f, 1, 1);
    state.setHueDegrees(361);
    EXPECT_FLOAT_EQ(state.hue, 1);
    EXPECT_EQ(state.currentBytes().r, 255) << "hue 1 is red again";
    EXPECT_EQ(state.currentBytes().g, 0);
    state.setSaturationPercent(150);
    EXPECT_FLOAT_EQ(state.saturation, 1);
    state.setValuePercent(-5);
    EXPECT_FLOAT_EQ(state.value, 0);
    EXPECT_FLOAT_EQ(state.hue, 1) << "entered values stay as entered";
    EXPECT_FLOAT_EQ(state.saturation, 1);

    state.setHsv(1.0f / 3, 0.5f, 1);  // (128, 255, 128)
    EXPECT_EQ(state.currentBytes().r, 128);
    state.setColor(0, 0.5f, 0, 1);
    state.setChannelByte(1, 0);
    EXPECT_NEAR(state.hue, 1.0f / 3, 1e-5) << "sliding RGB to black keeps the hue";
    EXPECT_NEAR(state.saturation, 1, 1e-5);
    EXPECT_FLOAT_EQ(state.value, 0);
}

TEST(ColorState, SwatchSwapsWithThePreviousColour) {
    ColorState state;
    EXPECT_FALSE(state.swapWithPrevious()) << "equal colours do nothing";
    state.setColor(1, 0, 0, 1);
    ASSERT_TRUE(state.swapWithPrevious());
    EXPECT_FLOAT_EQ(state.previous[0], 1);
    EXPECT_EQ(state.currentBytes().r, 0);
    EXPECT_EQ(state.currentBytes().g, 0);
    ASSERT_TRUE(state.swapWithPrevious());
    EXPECT_EQ(state.currentBytes().r, 255);
}

TEST(ColorState, ContrastGrey) {
    struct Case {
        float r, g, b, grey;
    };
    const Case cases[] = {{0, 0, 0, 0.66f}, {1, 1, 1, 0.34f}, {0.5f, 0.5f, 0.5f, 0.2f}, {0.2f, 0.2f, 0.2f, 0.8f}};
    for (const Case& c : cases) {
        const float rgb[3] = {c.r, c.g, c.b};
        EXPECT_NEAR(Component::contrastGrey(rgb), c.grey, 1e-5) << c.r;
    }
}
