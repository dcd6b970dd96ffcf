// The scroll bar control: what each action requests, its parts' places and
// its painting; and the bar bound to a text edit.
#include "window/controls/DrawnControlFixture.h"

#include "window/controls/EditControl.h"
#include "window/controls/EditScrollBarControl.h"
#include "window/controls/ScrollBarControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using namespace DrawnControlTest;
using Control::ScrollBarControl;

class ScrollBarTest : public DrawnControlFixture {
protected:
    // Records requests and applies them as an owner does.
    void follow(ScrollBarControl& bar) {
        bar.onScroll = [this](ScrollBarControl& b, int position) {
            requests.push_back(position);
            b.setViewRange(position, position + (b.viewEnd - b.viewStart));
        };
    }
    std::vector<int> requests;
};

// A vertical bar 16 px wide over the fixture's 100 px height: 16 px
// arrows, a 68 px track; the range 0..99 with the view 0..9.
TEST_F(ScrollBarTest, VerticalBarsPlaceArrowsTrackAndThumb) {
    ScrollBarControl bar(owner, 20, 0, 16);
    EXPECT_TRUE(bar.vertical);
    EXPECT_TRUE(bar.acceptsWheel);
    bar.maximum = 99;
    bar.setViewRange(0, 9);
    EXPECT_EQ(bar.fullRect(), (Window::Rect{20, 0, 16, 100}));
    EXPECT_EQ(bar.arrowSize, 16);
    EXPECT_EQ(bar.trackLength, 68);
    EXPECT_EQ(bar.firstArrow.fullRect(), (Window::Rect{20, 0, 16, 16}));
    EXPECT_EQ(bar.secondArrow.fullRect(), (Window::Rect{20, 84, 16, 16}));
    EXPECT_EQ(bar.firstArrow.icon, &Control::IconTriangleUp);
    EXPECT_EQ(bar.secondArrow.icon, &Control::IconTriangleDown);
    // From -3 to 6.8 + 3 px of the track: rows 13..26 of the bar.
    EXPECT_EQ(bar.thumb.area, (Window::Rect{20, 13, 16, 14}));
    EXPECT_EQ(bar.thumb.priority, 300);
    EXPECT_EQ(mouse().findObject(nullptr, 25, 14), &bar.thumb);  // over the arrow's edge
    EXPECT_EQ(mouse().findObject(nullptr, 25, 5), &bar.firstArrow);
    EXPECT_EQ(mouse().findObject(nullptr, 25, 60), &bar);
}

TEST_F(ScrollBarTest, ActionsRequestClampedPositionsOnly) {
    ScrollBarControl bar(owner, 20, 0, 16);
    bar.maximum = 99;
    bar.setViewRange(0, 9);
    follow(bar);
    bar.procLButtonDown(5, 60);  // below the thumb: a page forward
    EXPECT_EQ(requests, (std::vector<int>{9}));
    bar.procLButtonDown(5, 20);  // above the thumb (now 16 + 3.1 .. ): a page back
    EXPECT_EQ(requests, (std::vector<int>{9, 0}));
    bar.procMouseWheel(5, 60, -120);  // towards the user: one step on
    EXPECT_EQ(requests.back(), 1);
    bar.procMouseWheel(5, 60, 360);   // away: one step back, whatever the size
    EXPECT_EQ(requests.back(), 0);
    const std::size_t count = requests.size();
    bar.procMouseWheel(5, 60, 120);   // already at the start: nothing
    bar.requestPosition(0);
    EXPECT_EQ(requests.size(), count);
    bar.requestPosition(1000);        // beyond the end: the last full view
    EXPECT_EQ(requests.back(), 90);
    bar.step = 5;
    mouse().pressed = &bar.firstArrow;
    bar.firstArrow.procLButtonDown(2, 2);
    EXPECT_EQ(requests.back(), 85);
    bar.firstArrow.procCaptureLost();
}

TEST_F(ScrollBarTest, ThumbDragsScaleThePointerOverTheTrack) {
    ScrollBarControl bar(owner, 20, 0, 16);
    bar.maximum = 99;
    bar.setViewRange(10, 19);
    follow(bar);
    mouse().pressed = &bar.thumb;
    bar.thumb.procLButtonDown(4, 4);
    EXPECT_TRUE(bar.thumb.captured);
    EXPECT_EQ(bar.dragStartValue, 10);
    bar.thumb.procMouseDrag(0, 34);  // 99 * 34 / 68 = 49.5: 49 further
    EXPECT_EQ(requests.back(), 59);
    bar.thumb.procMouseDrag(0, -20);  // 99 * -20 / 68 = -29.1: -29
    EXPECT_EQ(requests.back(), 0);    // clamped to the minimum
    bar.thumb.procMouseDrag(200, 0);  // across the bar: no movement
    EXPECT_EQ(requests.back(), 10);
}

TEST_F(ScrollBarTest, HorizontalBarsRunAlongTheWidth) {
    ScrollBarControl bar(owner, 0, -16, 0, 16);
    EXPECT_FALSE(bar.vertical);
    EXPECT_EQ(bar.firstArrow.icon, &Control::IconTriangleLeft);
    EXPECT_EQ(bar.secondArrow.icon, &Control::IconPlay);
    EXPECT_EQ(bar.arrowSize, 16);
    EXPECT_EQ(bar.trackLength, 168);
    bar.maximum = 1000;
    bar.setViewRange(0, 100);
    bar.setViewRatio(0.5f);
    EXPECT_EQ(bar.viewStart, 451);
    EXPECT_EQ(bar.viewEnd, 551);
    follow(bar);
    bar.procLButtonDown(180, 5);
    EXPECT_EQ(requests.back(), 551);
}

TEST_F(ScrollBarTest, BarsUnderSixPixelsHaveNoArrows) {
    ScrollBarControl bar(owner, 0, 0, 0, 5);  // horizontal, 200 long: arrows
    EXPECT_EQ(bar.arrowSize, 5);
    Window::Rect source{0, 0, 16, 5};
    Window::WindowControlOwner small{nullptr, nullptr, &window, 200, &source, &source};
    ScrollBarControl shortBar(small, 0, 0, 16, 0);  // vertical, 5 px long
    EXPECT_EQ(shortBar.arrowSize, 0);
    EXPECT_EQ(shortBar.trackLength, 5);
    EXPECT_FALSE(shortBar.firstArrow.visible);
    EXPECT_FALSE(shortBar.secondArrow.visible);
    shortBar.maximum = 9;
    shortBar.setViewRange(0, 4);
    follow(shortBar);
    shortBar.procLButtonDown(3, 4);  // the whole length is track
    EXPECT_EQ(requests, (std::vector<int>{4}));
}

TEST_F(ScrollBarTest, PaintingFillsTheTrackAndInsetsTheThumb) {
    ScrollBarControl bar(owner, 20, 0, 16);
    bar.maximum = 99;
    bar.setViewRange(0, 9);
    bar.procPaint();
    EXPECT_EQ(at(21, 50), kBackground);
    // The thumb is clipped to the track (from row 16) and inset by 3.2 px.
    EXPECT_EQ(at(28, 20), kBody);
    EXPECT_EQ(at(28, 15) == kBody, false);  // the arrow's area
    EXPECT_EQ(at(22, 20), kBackground);
    EXPECT_EQ(at(33, 20), kBackground);
    EXPECT_EQ(at(28, 28), kBackground);
    // The arrows draw their icons in the face colour.
    EXPECT_EQ(at(28, 9), kBody);
    EXPECT_EQ(at(28, 90), kBody);
    bar.thumb.hover = true;
    bar.thumb.procMouseEnter();
    EXPECT_EQ(at(28, 20), kHover);
    bar.enabled = false;
    bar.setViewRange(0, 9);
    bar.procPaint();
    EXPECT_EQ(at(28, 20), kDisable);
}

TEST_F(ScrollBarTest, EditBarsFollowTheEditAndScrollIt) {
    Control::EditControl edit(owner);
    edit.text = u"a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl";
    edit.updateTextLayout();
    Window::Rect area{0, 0, 200, 60};
    Window::WindowControlOwner side{nullptr, nullptr, &window, 200, &area, &area};
    Control::EditScrollBarControl bar(side, edit, -16, 16);
    EXPECT_EQ(edit.scrollBar, &bar);
    const int line = static_cast<int>(std::ceil(edit.textFormat->getLineHeight()));
    EXPECT_EQ(bar.step, 2 * line);
    // The edit is 100 px high: the range is its text and a quarter view
    // (or a line) more; the view is its inner height.
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, edit.textHeight + std::min(100 / 4, line));
    EXPECT_EQ(bar.viewStart, 0);
    EXPECT_EQ(bar.viewEnd, 92);
    bar.procMouseWheel(0, 0, -120);
    EXPECT_EQ(edit.scrollY, 2 * line);
    EXPECT_EQ(bar.viewStart, 2 * line);
}

}  // namespace
