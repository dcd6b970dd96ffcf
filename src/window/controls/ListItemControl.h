#pragma once
// A vertical list of rows of differing heights, stacked without gaps in
// their order. A scroll bar (ScrollBarSize wide, at the right) shows only
// while the rows are taller than the list, and then every row is narrowed
// by its width. The list scrolls by the bar, the wheel (passed to the bar)
// and dragging with the right button (the content follows the pointer).
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/ScrollBarControl.h"

#include <memory>
#include <vector>

namespace Control {

class ListItemControl;

// What a row of the list is: mixed into the row's class, whose control
// lives in the list's row owner. Rows are kept sorted by their order.
class ListItemBase {
public:
    ListItemBase(ListItemControl& list, Window::WindowControl& control) : list(list), control(control) {}
    virtual ~ListItemBase() = default;

    virtual int getOrder() { return 0; }
    virtual void setOrder(int) {}
    virtual bool canReorder() { return false; }

    // Exchanges the two rows' orders when both may be reordered, then
    // re-sorts, relays and repaints the list.
    void swapOrder(ListItemBase& other);

    ListItemControl& list;
    Window::WindowControl& control;
};

class ListItemControl : public Window::WindowControlRenderTarget {
public:
    // Fills the owner below top.
    ListItemControl(Window::WindowControlOwner& owner, int top);
    ~ListItemControl() override;

    // Stacks the rows in order, each keeping its height, narrowed while
    // the bar shows.
    void updateItemLayout();
    // Scrolls to y, clamped to the rows' overflow, and shows or hides the
    // bar as the rows need it.
    void setScrollPosition(int y);
    // -1 when the row is not in the list.
    int indexOf(const ListItemBase& row) const;

    void procMove() override;
    void procPaint() override;
    void procMouseWheel(int x, int y, int delta) override;
    void procRButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void detach();

    bool barShown() const { return barShown_; }

    int contentHeight = 0;
    int dragStartScroll = 0;
    Window::WindowControlOwner barOwner;
    Window::WindowControlOwner rowOwner;
    std::vector<std::unique_ptr<ListItemBase>> rows;
    ScrollBarControl scrollBar;

private:
    void scrollAndRepaint(int y);

    bool barShown_ = false;
};

}  // namespace Control
