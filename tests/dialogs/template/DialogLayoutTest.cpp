#include "dialogs/template/DialogLayout.h"

#include <gtest/gtest.h>

namespace {

using Dialog::ButtonMode;
using Dialog::LayoutInput;
using Dialog::layoutDialog;

// Rows 20 pixels high; the owner 1000x800 at (100, 50); the pointer at
// (300, 200).
LayoutInput input(std::vector<LayoutInput::Row> rows) {
    LayoutInput in;
    in.rowHeight = 20;
    in.rows = std::move(rows);
    in.owner = {100, 50, 1100, 850};
    in.point = {300, 200};
    return in;
}

TEST(DialogLayout, ButtonsPlacementAndEnterFollowTheRowsAndTheMode) {
    struct Case {
        int rows;
        ButtonMode mode;
        bool enterSetting;
        bool ok, centred, noEnter;
    };
    const Case cases[] = {
        {1, ButtonMode::Auto, false, false, false, false},
        {2, ButtonMode::Auto, false, true, true, true},
        {2, ButtonMode::Auto, true, true, true, false},
        {1, ButtonMode::Always, false, true, true, true},
        {3, ButtonMode::Never, false, false, false, false},
        {2, ButtonMode::Confirm, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        LayoutInput in = input(std::vector<LayoutInput::Row>(c.rows, {0, 0, 40}));
        in.buttonMode = c.mode;
        in.enableEnterSubmit = c.enterSetting;
        const auto out = layoutDialog(in);
        EXPECT_EQ(out.showOk, c.ok);
        EXPECT_EQ(out.ok.has_value(), c.ok);
        EXPECT_EQ(out.centred, c.centred);
        EXPECT_EQ(out.noEnterSubmit, c.noEnter);
    }
}

TEST(DialogLayout, OneRowOpensAtThePointerInsideTheOwnersRightAndBottomEdges) {
    LayoutInput in = input({{0, 0, 40}});
    // 300 + 24 + 48 wide; 18 + 26 high, no button row.
    auto out = layoutDialog(in);
    EXPECT_EQ(out.clientWidth, 372);
    EXPECT_EQ(out.clientHeight, 44);
    EXPECT_EQ(out.position.x, 300);
    EXPECT_EQ(out.position.y, 200);
    in.point = {1000, 840};
    out = layoutDialog(in);
    EXPECT_EQ(out.position.x, 1100 - 372);
    EXPECT_EQ(out.position.y, 850 - 44);
}

TEST(DialogLayout, TwoRowsAreCentredWithOkAtTheRightEnd) {
    const auto out = layoutDialog(input({{0, 0, 40}, {0, 0, 52}}));
    // Label column 52 + 8; rows at y 12 and 38; the button row at 70.
    EXPECT_EQ(out.labelColumn, 60);
    EXPECT_EQ(out.clientWidth, 384);
    EXPECT_EQ(out.clientHeight, 18 + 26 + 26 + 12 + 20);
    EXPECT_EQ(out.position.x, (100 + 1100 - 384) / 2);
    EXPECT_EQ(out.position.y, (50 + 850 - 102) / 2);
    ASSERT_EQ(out.rows.size(), 2u);
    EXPECT_EQ(out.rows[1].left, 72);
    EXPECT_EQ(out.rows[1].top, 38);
    EXPECT_EQ(out.rows[1].right, 384 - 12);
    EXPECT_EQ(out.labels[1]->left, 12);
    EXPECT_EQ(out.labels[1]->right, 72);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.ok->left, 384 - 80 - 12);
    EXPECT_EQ(out.ok->top, 70);
    EXPECT_EQ(out.ok->right, 384 - 12);
}

TEST(DialogLayout, NarrowestWidthLabelsAndMinimumSize) {
    // No label anywhere: the controls start at the margin.
    auto out = layoutDialog(input({{0, 0, -1}}));
    EXPECT_EQ(out.clientWidth, 324);
    EXPECT_EQ(out.labelColumn, 0);
    EXPECT_EQ(out.rows[0].left, 12);
    EXPECT_FALSE(out.labels[0]);
    // A wide row widens the dialog; the caller's minimum wins when larger.
    out = layoutDialog(input({{500, 0, 10}}));
    EXPECT_EQ(out.clientWidth, 500 + 24 + 18);
    LayoutInput in = input({{0, 0, 10}});
    in.minimumWidth = 700;
    out = layoutDialog(in);
    EXPECT_EQ(out.clientWidth, 700);
    EXPECT_EQ(out.rows[0].right, 700 - 12);
    // A measured row height counts as it is and brings OK.
    out = layoutDialog(input({{0, 45, -1}}));
    EXPECT_TRUE(out.showOk);
    EXPECT_EQ(out.rows[0].bottom - out.rows[0].top, 45);
    EXPECT_EQ(out.clientHeight, 18 + 51 + 12 + 20);
}

TEST(DialogLayout, NoteAndExtraButtonsShareTheButtonRow) {
    LayoutInput in = input({{0, 0, -1}});
    in.noteWidth = 100;
    in.buttons = {0, -1, 120};
    const auto out = layoutDialog(in);
    EXPECT_FALSE(out.showOk);
    EXPECT_EQ(out.clientHeight, 18 + 26 + 12 + 20);
    ASSERT_TRUE(out.note);
    EXPECT_EQ(out.note->left, 12);
    EXPECT_EQ(out.note->top, 12 + 26 + 6);
    ASSERT_EQ(out.buttons.size(), 3u);
    // After the note: 100 + 24.
    EXPECT_EQ(out.buttons[0]->left, 124);
    EXPECT_EQ(out.buttons[0]->right, 204);
    EXPECT_FALSE(out.buttons[1]);
    // The running x (216) would end past the right margin: pulled in so it
    // ends 12 pixels before the edge.
    EXPECT_EQ(out.buttons[2]->left, 324 - 120 - 12);
    EXPECT_EQ(out.buttons[2]->right, 324 - 12);
}

}  // namespace
