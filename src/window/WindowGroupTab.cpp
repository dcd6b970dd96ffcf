#include "window/WindowGroupTab.h"

#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextLayout.h"
#include "window/WindowClient.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Window {

using Brushes = Resource::ColorBrushList;

WindowGroupTab::WindowGroupTab(WindowClient& head)
    : head(head), owner_(&head, head.hostWindow(), head.hostTarget(), 200, &bounds_, &head.clientRect) {
    control_ = std::make_unique<Control>(*this, owner_);
}

WindowGroupTab::~WindowGroupTab() = default;

void WindowGroupTab::setTabHeight(int height) {
    if (control_) control_->tabHeight = height;
}

void WindowGroupTab::updateLayout() {
    const Rect& r = head.clientRect;
    const int t = tabHeight();
    bounds_ = {r.x, r.y - t, r.width, r.height + t};
    owner_.updateLayout();
}

void WindowGroupTab::paint() {
    if (control_ && control_->WindowControl::owner) control_->procPaint();
}

void WindowGroupTab::detach() {
    if (control_) control_->detach();
}

WindowGroupTab::Control::Control(WindowGroupTab& group, WindowControlOwner& owner)
    : WindowControlRenderTarget(owner, 0, 0, 0, 0), group(group) {
    acceptsContextMenu = true;
}

int WindowGroupTab::Control::tabIndex(int n, int x, int width) {
    if (n <= 0 || width <= 0) return -1;
    const long long index = static_cast<long long>(n) * x / width;
    return static_cast<int>(std::clamp<long long>(index, 0, n - 1));
}

WindowClient* WindowGroupTab::Control::tabAt(int x) const {
    const int index = tabIndex(static_cast<int>(tabs.size()), x, rect->width);
    return index < 0 ? nullptr : tabs[index];
}

WindowClient* WindowGroupTab::Control::tabAtPointer() {
    const LPARAM position = service ? service->lastMovePosition : -1;
    if (position == -1) return nullptr;
    const int x = static_cast<std::int16_t>(Platform::LOWORD(position));
    return tabAt(x - rect->x);
}

void WindowGroupTab::Control::updateLayout() {
    const Rect& r = group.head.clientRect;
    setRect(r.x, r.y - tabHeight, r.x + r.width, r.y);
}

void WindowGroupTab::Control::rebuildTabs() {
    tabs.clear();
    WindowService* windowService = group.head.windowService;
    if (!windowService) return;
    for (WindowClient* c : windowService->dockedClients)
        if (c->isGrouped() && !c->placement.floating && c->placement.area == group.head.placement.area)
            tabs.push_back(c);
    std::stable_sort(tabs.begin(), tabs.end(),
                     [](const WindowClient* a, const WindowClient* b) { return a->placement.group < b->placement.group; });
    for (size_t i = 0; i < tabs.size(); ++i) tabs[i]->placement.group = static_cast<int>(i) + 1;
}

void WindowGroupTab::Control::repaint() { procPaint(); }

void WindowGroupTab::Control::procMouseMove(int x, int) {
    WindowClient* found = tabAt(x);
    if (found == hoverClient) return;
    hoverClient = found;
    repaint();
}

void WindowGroupTab::Control::procMouseLeave() {
    hoverClient = nullptr;
    repaint();
}

void WindowGroupTab::Control::procLButtonDown(int, int) {
    if (!hoverClient) hoverClient = tabAtPointer();
    if (!hoverClient) return;
    if (hoverClient != &group.head) {
        // The head loses its strip (this control) on the way.
        if (group.head.windowService) group.head.windowService->showWindowClient(*hoverClient);
        return;
    }
    if (service) service->startDrag(0, 0, WindowMouseService::cursor(WindowMouseService::CursorSwapWE));
    repaint();
}

void WindowGroupTab::Control::procMouseDrag(int x, int) {
    WindowClient* t = tabAt(x);
    if (!t || !hoverClient || t == hoverClient) return;
    std::swap(t->placement.group, hoverClient->placement.group);
    std::stable_sort(tabs.begin(), tabs.end(),
                     [](const WindowClient* a, const WindowClient* b) { return a->placement.group < b->placement.group; });
    for (size_t i = 0; i < tabs.size(); ++i) tabs[i]->placement.group = static_cast<int>(i) + 1;
    repaint();
}

void WindowGroupTab::Control::procCaptureLost() {
    if (service) {
        if (service->pressed == this) {
            captured = false;
            if (service->dragging) {
                service->dragging = false;
                procDragCancel();
            }
        }
        service->currentCursor = service->defaultCursor;
    }
    repaint();
}

void WindowGroupTab::Control::procContextMenu(int, int) {
    if (!hoverClient) hoverClient = tabAtPointer();
    if (!hoverClient) return;
    const PopupMenuCall& show = popupMenuCall();
    if (!show) return;
    MenuEntries menu;
    hoverClient->appendAreaItems(menu);
    group.head.appendMoveSubmenu(menu);
    hoverClient->appendFloatItem(menu);
    hoverClient->appendGroupItem(menu);
    show(window, menu);
}

bool WindowGroupTab::Control::isDraggingTab() const {
    return service && service->dragging && service->pressed == this;
}

void WindowGroupTab::Control::procPaint() {
    if (!visible || !host || rect->width <= 0 || rect->height <= 0) return;
    updateLayout();
    const Rect r = *rect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    Brushes& brushes = host->brushList;
    fill(brushes[Brushes::Grouping]);
    rebuildTabs();
    const int n = static_cast<int>(tabs.size());
    Platform::Cairo::TextFormat* format = (*fontList)[Resource::TextFormatList::Control].get();
    for (int i = 0; i < n; ++i) {
        WindowClient* tab = tabs[i];
        const int x0 = i * r.width / n;
        const int x1 = (i + 1) * r.width / n;
        const int width = x1 - x0;
        DrawScope tabScope(*this, x0, 0, x1, tabHeight);
        if (!tab->isHidden())
            fill(brushes[Brushes::GroupingSelect]);
        else if (tab == hoverClient)
            fill(brushes[Brushes::GroupingHover]);
        Resource::TextLayout text(format, tab->getTitle());
        const Platform::Cairo::TextMetrics metrics = text.getMetrics();
        int left = (width - static_cast<int>(std::ceil(metrics.width))) / 2;
        if (left < 3) left = 2;
        const int top = (tabHeight - static_cast<int>(std::ceil(metrics.height))) / 2;
        drawTextLayout(static_cast<float>(left), static_cast<float>(top), *text.get(),
                       brushes[tab->isHidden() ? Brushes::TextDisable : Brushes::Text], true);
        const bool dragged = isDraggingTab() && tab == hoverClient;
        drawRectangle(0, 0, width, tabHeight, brushes[dragged ? Brushes::BorderFocus : Brushes::WindowBorder],
                      dragged ? 2.0f : 1.0f);
    }
}

}  // namespace Window
