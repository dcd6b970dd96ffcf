// The row list (stacking, the automatic bar, scrolling, reordering), the
// fractional layout box, the painter rectangle, the text label and the
// title band.
#include "window/controls/DrawnControlFixture.h"

#include "core/file/SettingService.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/ListItemControl.h"
#include "window/controls/RectControl.h"
#include "window/controls/TextControl.h"
#include "window/controls/TitleHeaderControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace DrawnControlTest;
using Control::ListItemBase;
using Control::ListItemControl;

// A row: a filled rectangle of its own height with an order.
class Row : public Control::RectControl, public ListItemBase {
public:
    Row(ListItemControl& list, int height, int order = 0, bool reorder = false)
        : RectControl(list.rowOwner, 0, 0, 0, height), ListItemBase(list, *this), order(order), reorder(reorder) {}
    int getOrder() override { return order; }
    void setOrder(int value) override { order = value; }
    bool canReorder() override { return reorder; }
    int order;
    bool reorder;
};

class ListTest : public DrawnControlFixture {
protected:
    Row& add(ListItemControl& list, int height, int order = 0, bool reorder = false) {
        auto row = std::make_unique<Row>(list, height, order, reorder);
        Row& ref = *row;
        list.rows.push_back(std::move(row));
        return ref;
    }
    static void settle(ListItemControl& list) {
        list.updateItemLayout();
        list.setScrollPosition(list.scrollBar.viewStart);
        list.rowOwner.updateLayout();
    }
};

TEST_F(ListTest, TheBarShowsOnlyWhenRowsOverflowAndNarrowsEveryRow) {
    ListItemControl list(owner, 0);  // 200 x 100
    std::vector<Row*> rows;
    for (int i = 0; i < 5; ++i) rows.push_back(&add(list, 20));
    settle(list);
    EXPECT_EQ(list.contentHeight, 100);
    EXPECT_FALSE(list.barShown());
    EXPECT_EQ(list.scrollBar.fullRect().width, 0);
    EXPECT_EQ(rows[4]->fullRect(), (Window::Rect{0, 80, 200, 20}));

    rows[4]->bottom = 21;  // one pixel more
    rows[4]->updateLayout();
    settle(list);
    EXPECT_EQ(list.contentHeight, 101);
    ASSERT_TRUE(list.barShown());
    const int bar = Setting::ScrollBarSize;
    EXPECT_EQ(list.scrollBar.fullRect(), (Window::Rect{200 - bar, 0, bar, 100}));
    for (Row* row : rows) EXPECT_EQ(row->fullRect().width, 200 - bar);
    EXPECT_EQ(rows[4]->fullRect(), (Window::Rect{0, 80, 200 - bar, 21}));
    EXPECT_EQ(list.scrollBar.step, 2 * 101 / 5);
    EXPECT_EQ(list.scrollBar.maximum, 101);
    EXPECT_EQ(list.scrollBar.viewEnd, 100);

    rows[4]->bottom = 20;
    rows[4]->updateLayout();
    settle(list);
    EXPECT_FALSE(list.barShown());
    EXPECT_EQ(rows[0]->fullRect().width, 200);
}

TEST_F(ListTest, ScrollingClampsToTheOverflowAndMovesTheRows) {
    ListItemControl list(owner, 10);  // 90 px high
    for (int i = 0; i < 10; ++i) add(list, 15 + i);  // 195 px
    settle(list);
    EXPECT_EQ(list.contentHeight, 195);
    list.setScrollPosition(1000);
    EXPECT_EQ(list.rowOwner.scrollY, 195 - 90);
    EXPECT_EQ(list.scrollBar.viewStart, 105);
    list.setScrollPosition(-5);
    EXPECT_EQ(list.rowOwner.scrollY, 0);

    // The bar's requests scroll the rows.
    list.scrollBar.requestPosition(40);
    EXPECT_EQ(list.rowOwner.scrollY, 40);
    EXPECT_EQ(list.rows[0]->control.fullRect().y, 10 - 40);
    // The wheel goes to the bar: one step (2 x 195 / 10) a notch.
    list.procMouseWheel(5, 5, -120);
    EXPECT_EQ(list.rowOwner.scrollY, 40 + 39);
    // A right-button drag: the content follows the pointer.
    mouse().pressed = &list;
    list.procRButtonDown(50, 50);
    EXPECT_EQ(mouse().currentCursor,
              Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSizeAll));
    list.procMouseDrag(0, 30);  // down 30: back towards the top
    EXPECT_EQ(list.rowOwner.scrollY, 49);
    list.procMouseDrag(0, -500);
    EXPECT_EQ(list.rowOwner.scrollY, 105);
}

TEST_F(ListTest, AShortListAlwaysScrollsToTheTopAndFillsBelowItsRows) {
    ListItemControl list(owner, 0);
    Row& row = add(list, 30);
    const Platform::Cairo::SolidColorBrush red({1, 0, 0, 1});
    row.fillBrush = &red;
    settle(list);
    list.setScrollPosition(50);
    EXPECT_EQ(list.rowOwner.scrollY, 0);
    list.procPaint();
    EXPECT_EQ(at(100, 10), 0xFFFF0000u);
    EXPECT_EQ(at(100, 40), kBackground);
    EXPECT_EQ(at(199, 99), kBackground);
}

TEST_F(ListTest, RowsSwapOnlyWhenBothMayBeReordered) {
    ListItemControl list(owner, 0);
    Row& a = add(list, 20, 1, true);
    Row& b = add(list, 30, 2, false);
    Row& c = add(list, 40, 3, true);
    settle(list);
    a.swapOrder(b);
    EXPECT_EQ(list.indexOf(a), 0);
    EXPECT_EQ(a.order, 1);
    EXPECT_EQ(b.order, 2);
    a.swapOrder(c);
    EXPECT_EQ(a.order, 3);
    EXPECT_EQ(c.order, 1);
    EXPECT_EQ(list.indexOf(c), 0);
    EXPECT_EQ(list.indexOf(b), 1);
    EXPECT_EQ(list.indexOf(a), 2);
    EXPECT_EQ(c.fullRect().y, 0);
    EXPECT_EQ(b.fullRect().y, 40);
    EXPECT_EQ(a.fullRect(), (Window::Rect{0, 70, 200, 20}));
    Row stranger(list, 10);
    EXPECT_EQ(list.indexOf(stranger), -1);
}

class BoxTest : public DrawnControlFixture {};

TEST_F(BoxTest, LayoutBoxesTakeTheirFractionTruncated) {
    Window::Rect source{7, 3, 101, 41};
    Window::WindowControlOwner box{nullptr, nullptr, &window, 200, &area, &source};
    Control::LayoutControl layout(box, 0, 0, 0, 0);
    EXPECT_FALSE(layout.attached());  // no input
    layout.fractionLeft = 0.5f;
    box.updateLayout();
    EXPECT_EQ(layout.fullRect(), (Window::Rect{7 + 50, 3, 51, 41}));
    struct Case {
        float l, t, r, b;
        Window::Rect expected;
    } cases[] = {
        {0, 0, 1, 1, {7, 3, 101, 41}},
        {0.25f, 0.5f, 0.75f, 1, {7 + 25, 3 + 20, 50, 21}},  // 25.25 -> 25, 20.5 -> 20, 75.75 -> 75
        {0, 0, 0.33f, 0.1f, {7, 3, 33, 4}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Control::LayoutControl::fractionRect(source, c.l, c.t, c.r, c.b), c.expected);
    // Children follow the box.
    Control::RectControl child(layout, 0, 0, 0, 0);
    EXPECT_EQ(child.fullRect(), layout.fullRect());
}

TEST_F(BoxTest, RectanglesFillThenRunTheirPainter) {
    Control::RectControl rect(owner, 10, 10, 30, 20);
    const Platform::Cairo::SolidColorBrush blue({0, 0, 1, 1});
    rect.fillBrush = &blue;
    const Platform::Cairo::SolidColorBrush red({1, 0, 0, 1});
    rect.painter = [&](Control::RectControl& r) { r.fillRectangle(0, 0, 5, 5, red); };
    rect.procPaint();
    EXPECT_EQ(at(12, 12), 0xFFFF0000u);  // the painter's corner, in the control's coordinates
    EXPECT_EQ(at(20, 20), 0xFF0000FFu);
    EXPECT_EQ(at(40, 20), kBlack);
}

TEST_F(BoxTest, LabelsWithABorderAreInsetAndOutlined) {
    Control::TextControl label(owner, 0, 0, 100, 30, L"Label", 0);
    EXPECT_FALSE(label.attached());
    EXPECT_EQ(mouse().findObject(nullptr, 10, 10), nullptr);
    const Platform::Cairo::SolidColorBrush face({0, 0, 1, 1});
    const Platform::Cairo::SolidColorBrush border({1, 0, 0, 1});
    label.backgroundBrush = &face;
    label.borderBrush = &border;
    label.procPaint();
    EXPECT_EQ(at(0, 15), 0xFFFF0000u);
    EXPECT_EQ(at(1, 15), 0xFFFF0000u);
    EXPECT_EQ(at(2, 15), 0xFF0000FFu);  // the text starts at x = 2
    EXPECT_EQ(at(99, 29), 0xFFFF0000u);
    int left = 100;
    for (int x = 0; x < 100; ++x)
        for (int y = 3; y < 27; ++y)
            if (at(x, y) == kText) left = std::min(left, x);
    EXPECT_GE(left, 2);
    EXPECT_LE(left, 4);

    Control::TextControl centred(owner, 0, 40, 200, 30, L"Mid", 1);
    centred.procPaint();
    int first = 200, last = -1;
    for (int x = 0; x < 200; ++x)
        for (int y = 40; y < 70; ++y)
            if (((at(x, y) >> 8) & 0xFF) > 0x80) first = std::min(first, x), last = std::max(last, x);
    EXPECT_NEAR((first + last) / 2.0, 100, 2.0);
}

TEST_F(BoxTest, TitleBandsShowTheTitleOnTheirBandAndTakeNoInput) {
    Control::TitleHeaderControl title(owner, L"シーン");
    title.subtitle = L"Root";
    const int band = Setting::TitleHeaderHeight;
    EXPECT_EQ(title.fullRect(), (Window::Rect{0, 0, 200, band + 2}));
    EXPECT_FALSE(title.attached());
    EXPECT_FALSE(title.floating);
    title.procPaint();
    EXPECT_EQ(at(199, 0), kTitleHeader);
    EXPECT_EQ(at(199, band - 1), kTitleHeader);
    EXPECT_EQ(at(199, band), kBackground);
    EXPECT_EQ(at(199, band + 1), kBackground);
    EXPECT_EQ(at(100, band + 2), kBlack);  // nothing below the control
    int firstTitle = 200, lastText = -1;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < band; ++y)
            if (((at(x, y) >> 8) & 0xFF) > 0xA0) firstTitle = std::min(firstTitle, x), lastText = std::max(lastText, x);
    EXPECT_GE(firstTitle, 3);
    EXPECT_LE(firstTitle, 5);
    EXPECT_GT(lastText, 40);  // the subtitle after the title
}

TEST_F(BoxTest, PanelsInFloatingWindowsGetNoBand) {
    TestSupport::useTestDisplay();
    System::Singleton<Window::WindowService> windows;
    ASSERT_NE(windows.getInstance()->mainWindow, nullptr);
    Window::WindowControlOwner docked{nullptr, windows.getInstance()->mainWindow, &window, 200, &area, &area};
    Control::TitleHeaderControl shown(docked, L"A");
    EXPECT_FALSE(shown.floating);
    EXPECT_EQ(shown.fullRect().height, Setting::TitleHeaderHeight + 2);
    Window::WindowControlOwner floating{nullptr, reinterpret_cast<Platform::WindowHandle>(0x20), &window, 200,
                                        &area, &area};
    Control::TitleHeaderControl hidden(floating, L"B");
    EXPECT_TRUE(hidden.floating);
    EXPECT_FALSE(hidden.visible);
    floating.updateLayout();
    EXPECT_EQ(hidden.fullRect(), (Window::Rect{0, 0, 0, 0}));
    // What starts below it starts at the top.
    Control::RectControl below(floating, 0, hidden.fullRect().y + hidden.fullRect().height, 0, 0);
    EXPECT_EQ(below.fullRect().y, 0);
}

}  // namespace
