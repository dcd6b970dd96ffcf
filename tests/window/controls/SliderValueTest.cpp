// The numeric slider's steps, text, drag quanta and typed values.
#include "window/controls/SliderValue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Control::SliderValue;

TEST(SliderValueTest, ARangeOfHundredthsCountsInStepsAndShowsTwoDecimals) {
    SliderValue slider;
    slider.setRange(0, -100, 100, 0.01);
    EXPECT_EQ(slider.scale, 100);
    EXPECT_EQ(slider.decimals, 2);
    EXPECT_EQ(slider.minimum, -10000);
    EXPECT_EQ(slider.maximum, 10000);
    EXPECT_EQ(slider.value, 0);
    EXPECT_EQ(slider.valueText, L"0.00");
    EXPECT_TRUE(slider.setValue(0.05));
    EXPECT_EQ(slider.value, 5);
    EXPECT_EQ(slider.valueText, L"0.05");
    EXPECT_FALSE(slider.setValue(0.0500001));  // the same step: no change
    EXPECT_DOUBLE_EQ(slider.getValue(), 0.05);
    EXPECT_TRUE(slider.setValue(1e12));  // far out of range
    EXPECT_EQ(slider.value, 10000);
}

TEST(SliderValueTest, TheTextHasTheDigitsOfTheStepsWithThePointBeforeTheDecimals) {
    struct Case {
        double step;
        std::int32_t value;
        const wchar_t* text;
    };
    const std::vector<Case> cases = {
        {0.01, 5, L"0.05"},      {0.01, -150, L"-1.50"}, {0.01, 0, L"0.00"},  {0.01, -5, L"-0.05"},
        {1, 42, L"42"},          {1, -7, L"-7"},         {0.1, 1234, L"123.4"}, {0.001, 1, L"0.001"},
        {1, INT32_MIN, L"-2147483648"},
    };
    for (const Case& c : cases) {
        SliderValue slider;
        slider.setRange(0, -1e9, 1e9, c.step);
        slider.value = c.value;
        slider.updateText();
        EXPECT_EQ(slider.valueText, c.text) << c.value;
    }
    SliderValue zero;
    zero.zeroText = L"なし";
    zero.setRange(0, 0, 10, 1);
    EXPECT_EQ(zero.valueText, L"");
}

TEST(SliderValueTest, DragQuantaFollowTheSequenceDownFromTheScale) {
    std::vector<std::int32_t> sequence;
    for (std::int32_t h = 1000; h > 0; h = SliderValue::nextQuantum(h)) sequence.push_back(h);
    EXPECT_EQ(sequence, (std::vector<std::int32_t>{1000, 500, 250, 125, 50, 25, 10, 5, 2, 1}));

    struct Case {
        double step;
        int mode, ratio, width, screen;
        float stepsPerPixel;
        std::int32_t drag, fine;
    };
    const std::vector<Case> cases = {
        // A unit per pixel: whole units, tenths when fine.
        {0.01, 0, 100, 300, 1920, 100.0f, 100, 10},
        // The whole range (20000 steps) across a 1920 px screen.
        {0.01, 1, 100, 300, 1920, 20000.0f / 1920, 10, 1},
        // Across a 200 px control, capped at ten units a pixel.
        {0.01, 2, 100, 200, 1920, 100.0f, 100, 10},
        {0.001, 2, 100, 10, 1920, 10000.0f, 1000, 1000},
        // Never below 0.05 steps a pixel.
        {1, 0, 1, 300, 1920, 0.05f, 1, 1},
        {0.001, 0, 50, 300, 1920, 500.0f, 500, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << " mode " << c.mode << " ratio " << c.ratio);
        SliderValue slider;
        slider.setRange(0, -100, 100, c.step);
        slider.updateDragRatio(c.mode, c.ratio, c.width, c.screen);
        EXPECT_NEAR(slider.stepsPerPixel, c.stepsPerPixel, 1e-3);
        EXPECT_EQ(slider.dragQuantum, c.drag);
        EXPECT_EQ(slider.fineQuantum, c.fine);
    }
}

TEST(SliderValueTest, DraggingSnapsTowardZeroToTheQuantumAndFineMovesByFineQuanta) {
    SliderValue slider;
    slider.setRange(0, -100, 100, 0.01);
    slider.updateDragRatio(1, 100, 300, 1920);  // 10.42 steps a pixel, quantum 10
    EXPECT_EQ(slider.dragValue(0, 7, false), 70);    // 73 snapped to 70
    EXPECT_EQ(slider.dragValue(0, -7, false), -70);  // toward zero
    EXPECT_EQ(slider.dragValue(5, 1, false), 15);    // from the start value
    EXPECT_EQ(slider.dragValue(0, 3, true), 3);
    EXPECT_EQ(slider.dragValue(9990, 100, false), 10000);  // clamped
    EXPECT_EQ(slider.dragValue(0, 1000000000, true), 10000);

    slider.updateDragRatio(0, 100, 300, 1920);
    EXPECT_EQ(slider.dragValue(0, 3, false), 300);  // whole units
    EXPECT_EQ(slider.absoluteValue(50, 200), -5000);
    EXPECT_EQ(slider.absoluteValue(-10, 200), -10000);
    EXPECT_EQ(slider.absoluteValue(400, 200), 10000);
}

TEST(SliderValueTest, TypedTextSetsTheValueAndAnEmptyTextTheDefault) {
    SliderValue slider;
    slider.setRange(1, -100, 100, 0.01);
    struct Case {
        const wchar_t* text;
        int delta;
        bool changed;
        std::int32_t value;
    };
    const std::vector<Case> cases = {
        {L"2.5", 0, true, 250},  {L"2.5", 1, true, 251},  {L"-", 0, false, 251}, {L".", 0, false, 251},
        {L"", 0, true, 100},     {L"999", 0, true, 10000}, {L"1e400", 0, false, 10000},
        {L"-3", -1, true, -301},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text \"" << testing::PrintToString(std::wstring(c.text)) << "\"");
        EXPECT_EQ(slider.applyText(c.text, c.delta), c.changed);
        EXPECT_EQ(slider.value, c.value);
    }
    EXPECT_EQ(slider.valueText, L"-3.01");
}

TEST(SliderValueTest, AConversionMapsTheRangeAndTheValue) {
    SliderValue slider;
    slider.hasConversion = true;
    slider.conversionStep = 0.5;
    // Frames shown as seconds at 2 frames per second; an end one frame on.
    slider.toDisplay = [](double v, bool isEnd) { return (v + (isEnd ? 1 : 0)) / 2; };
    slider.fromDisplay = [](double v, bool isEnd) { return v * 2 - (isEnd ? 1 : 0); };
    slider.setRange(4, 0, 99, 123);
    EXPECT_EQ(slider.scale, 2);
    EXPECT_EQ(slider.defaultValue, 4);  // 2 s in half seconds
    EXPECT_EQ(slider.maximum, 100);     // (99 + 1) / 2 = 50 s
    EXPECT_EQ(slider.value, 4);
    slider.atLast = true;
    slider.setValue(9);
    EXPECT_EQ(slider.value, 10);
    EXPECT_DOUBLE_EQ(slider.getValue(), 9);

    SliderValue missing;
    missing.hasConversion = true;
    EXPECT_THROW(missing.setRange(0, 0, 1, 1), std::bad_function_call);
}

}  // namespace
