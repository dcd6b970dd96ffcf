#include "window/controls/ListItemControl.h"

#include "core/file/SettingService.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>

namespace Control {

void ListItemBase::swapOrder(ListItemBase& other) {
    if (!canReorder() || !other.canReorder()) return;
    const int mine = getOrder();
    setOrder(other.getOrder());
    other.setOrder(mine);
    ListItemControl& owner = list;
    std::stable_sort(owner.rows.begin(), owner.rows.end(),
                     [](const std::unique_ptr<ListItemBase>& a, const std::unique_ptr<ListItemBase>& b) {
                         return a->getOrder() < b->getOrder();
                     });
    owner.updateItemLayout();
    owner.procMove();
    owner.procPaint();
}

ListItemControl::ListItemControl(Window::WindowControlOwner& owner, int top)
    : WindowControlRenderTarget(owner, 0, top, 0, 0),
      barOwner(owner.client, owner.hostWindow, owner.hostTarget, priority, &visibleRect(), &fullRect()),
      rowOwner(owner.client, owner.hostWindow, owner.hostTarget, priority, &visibleRect(), &fullRect()),
      // Hidden: no width, at the right edge.
      scrollBar(barOwner, -1, -1, -1, -1) {
    acceptsRightButton = true;
    acceptsWheel = true;
    scrollBar.onScroll = [this](ScrollBarControl&, int position) { scrollAndRepaint(position); };
    barOwner.updateLayout();
    rowOwner.updateLayout();
}

ListItemControl::~ListItemControl() {
    // The rows' controls leave the row owner before it goes.
    rows.clear();
}

void ListItemControl::updateItemLayout() {
    contentHeight = 0;
    for (const std::unique_ptr<ListItemBase>& row : rows) {
        Window::WindowControl& control = row->control;
        const int height = control.fullRect().height;
        control.left = 0;
        control.top = contentHeight;
        control.right = barShown_ ? -Setting::ScrollBarSize : 0;
        control.bottom = height;
        control.updateLayout();
        control.procMove();
        contentHeight += height;
    }
}

void ListItemControl::setScrollPosition(int y) {
    const int height = visibleRect().height;
    y = std::clamp(y, 0, std::max(contentHeight - height, 0));
    scrollBar.minimum = contentHeight < 0 ? contentHeight : 0;
    scrollBar.maximum = std::max(contentHeight, 0);
    scrollBar.setViewRange(scrollBar.viewStart, scrollBar.viewEnd);
    scrollBar.setViewRange(y, y + height);
    rowOwner.scrollY = y;
    bool changed = false;
    if (height < contentHeight && !barShown_) {
        barShown_ = true;
        scrollBar.left = -Setting::ScrollBarSize;
        scrollBar.top = 0;
        scrollBar.right = Setting::ScrollBarSize;
        scrollBar.bottom = 0;
        scrollBar.updateLayout();
        scrollBar.procMove();
        scrollBar.step = rows.empty() ? 1 : 2 * contentHeight / static_cast<int>(rows.size());
        changed = true;
    } else if (height >= contentHeight && barShown_) {
        barShown_ = false;
        scrollBar.left = scrollBar.top = scrollBar.right = scrollBar.bottom = -1;
        scrollBar.updateLayout();
        scrollBar.procMove();
        changed = true;
    }
    // The rows' width follows the bar.
    if (changed) updateItemLayout();
}

int ListItemControl::indexOf(const ListItemBase& row) const {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].get() == &row) return static_cast<int>(i);
    return -1;
}

void ListItemControl::scrollAndRepaint(int y) {
    setScrollPosition(y);
    rowOwner.updateLayout();
    procPaint();
}

void ListItemControl::procMove() {
    setScrollPosition(scrollBar.viewStart);
    barOwner.updateLayout();
    rowOwner.updateLayout();
}

void ListItemControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    const int height = visibleRect().height;
    if (contentHeight < height) {
        const Window::Rect& v = visibleRect();
        const Window::Rect& full = fullRect();
        // Below the rows, in the visible part.
        fillRectangle(v.x - full.x, std::max(contentHeight, v.y - full.y), v.x - full.x + v.width,
                      v.y - full.y + height, scope.brushes()[Brushes::Background]);
    }
    scrollBar.procPaint();
    for (Window::WindowControl* control : rowOwner.controls) control->procPaint();
}

void ListItemControl::procMouseWheel(int x, int y, int delta) { scrollBar.procMouseWheel(x, y, delta); }

void ListItemControl::procRButtonDown(int x, int y) {
    if (service) service->startDrag(x, y, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSizeAll));
    dragStartScroll = scrollBar.viewStart;
}

void ListItemControl::procMouseDrag(int, int y) { scrollAndRepaint(dragStartScroll - y); }

void ListItemControl::detach() {
    scrollBar.detach();
    barOwner.detachControls();
    rowOwner.detachControls();
    WindowControlRenderTarget::detach();
}

}  // namespace Control
