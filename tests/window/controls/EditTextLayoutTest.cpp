// The edit control's layout: caret places, hit tests and selection boxes
// in UTF-16 positions over a layout that counts code points.
#include "support/PinnedFonts.h"
#include "window/controls/EditTextLayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Buffer : Control::EditBuffer {
    explicit Buffer(std::u16string t) {
        text = std::move(t);
        updateTextLayout();
    }
};

class EditTextLayoutTest : public testing::Test {
protected:
    Platform::Cairo::TextFormat format{L"DejaVu Sans", 16.0f, 400, Platform::Font::Style::Normal, 5, "test", "test"};
};

TEST_F(EditTextLayoutTest, CaretPlacesAndHitsSkipTheSecondHalfOfAPair) {
    Buffer buffer(u"a\U0001F600b");
    Control::EditTextLayout layout;
    layout.rebuild(format, buffer);
    const float x0 = layout.caretAt(0).left, x1 = layout.caretAt(1).left, x3 = layout.caretAt(3).left,
                x4 = layout.caretAt(4).left;
    EXPECT_FLOAT_EQ(x0, 0.0f);
    EXPECT_LT(x0, x1);
    EXPECT_LT(x1, x3);
    EXPECT_LT(x3, x4);
    EXPECT_EQ(layout.textWidth, static_cast<int>(std::ceil(x4)));
    const float y = layout.caretAt(0).height / 2;
    EXPECT_EQ(layout.positionAt(x1 + 0.2f * (x3 - x1), y), 1);  // leading half of the pair
    EXPECT_EQ(layout.positionAt(x1 + 0.8f * (x3 - x1), y), 3);  // trailing half: after the pair
    EXPECT_EQ(layout.positionAt(x4 + 50, y), 4);                 // right of the text
    EXPECT_EQ(layout.positionAt(-20, y), 0);
}

TEST_F(EditTextLayoutTest, LinesStackAndASelectionHasABoxForEachLine) {
    Buffer buffer(u"one\ntwo two\nx");
    Control::EditTextLayout layout;
    layout.rebuild(format, buffer);
    EXPECT_EQ(layout.hitRectCapacity, 3);
    const auto first = layout.caretAt(0), second = layout.caretAt(4), third = layout.caretAt(12);
    EXPECT_GT(second.top, first.top);
    EXPECT_GT(third.top, second.top);
    EXPECT_NEAR(layout.textHeight, third.top + third.height, 1.0f);
    // From "ne" on the first line to "two " on the second.
    const auto boxes = layout.rangeBoxes(1, 8);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_FLOAT_EQ(boxes[0].left, layout.caretAt(1).left);
    EXPECT_GT(boxes[0].right, layout.caretAt(3).left);  // the line break shows selected
    EXPECT_FLOAT_EQ(boxes[1].left, 0.0f);
    EXPECT_FLOAT_EQ(boxes[1].right, layout.caretAt(8).left);
    EXPECT_FLOAT_EQ(boxes[1].top, second.top);
    // A point on the second line hits there.
    EXPECT_EQ(layout.positionAt(layout.caretAt(6).left + 0.5f, second.top + 2), 6);
}

TEST_F(EditTextLayoutTest, AnEmptyTextHasOneLineForTheCaret) {
    Buffer buffer(u"");
    Control::EditTextLayout layout;
    layout.rebuild(format, buffer);
    EXPECT_EQ(layout.textWidth, 0);
    EXPECT_GT(layout.caretAt(0).height, 10.0f);
    EXPECT_EQ(layout.positionAt(30, 5), 0);
    EXPECT_TRUE(layout.rangeBoxes(0, 0).empty());
}

}  // namespace
