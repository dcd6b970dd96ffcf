// The window service's docking layout: the docked panels laid out by the
// rules of DockLayout, the separators and borders drawn between them, the
// splitter drags of the main window's input object, and the operations on
// a panel's place (showing, grouping, moving within its area).
#include "window/WindowService.h"

#include "core/file/SettingService.h"
#include "platform/gtk/NativeWindow.h"
#include "window/WindowClient.h"
#include "window/WindowFloating.h"
#include "window/WindowGroupTab.h"
#include "window/WindowMouseService.h"

namespace Window {

using Brushes = Resource::ColorBrushList;

namespace {

std::vector<WindowClient*> snapshot(const std::vector<WindowClient*>& list) { return list; }

bool shownDocked(const WindowClient* c) { return !c->isHidden() && !c->placement.floating; }

}  // namespace

DockList WindowService::dockedPlacements() const {
    DockList list;
    list.reserve(dockedClients.size());
    for (WindowClient* c : dockedClients) list.push_back(&c->placement);
    return list;
}

DockMetrics WindowService::dockMetrics() const {
    return {layoutWidth, layoutHeight, Setting::WindowSeparatorSize};
}

std::vector<Platform::WindowHandle> WindowService::floatingWindows() const {
    std::vector<Platform::WindowHandle> windows;
    for (const auto& [title, reference] : clients)
        if (reference.client && reference.client->floatingWindow)
            windows.push_back(reference.client->floatingWindow->windowHandle);
    return windows;
}

void WindowService::relayout() {
    const Platform::RECT client = Platform::getClientRect(mainWindow);
    resize(client.right, client.bottom);
}

void WindowService::normalizeLayout() { DockLayout::normalizeLayout(dockedPlacements()); }

void WindowService::layoutClients() {
    normalizeLayout();
    for (WindowClient* c : snapshot(dockedClients)) {
        if (!shownDocked(c)) continue;
        c->updateWindowRect(true);
        if (c->groupTab) {
            c->groupTab->updateLayout();
            c->groupTab->paint();
        }
    }
    drawEmptyBackground();
    if (footer) footer->draw();
    drawSeparators();
}

void WindowService::paintClients() {
    for (WindowClient* c : snapshot(dockedClients)) {
        if (!shownDocked(c)) continue;
        c->procPaint();
        if (c->groupTab) c->groupTab->paint();
    }
    drawEmptyBackground();
    if (footer) footer->draw();
    drawSeparators();
}

void WindowService::drawSeparators() {
    // Without a drawing target (tools, tests) there are no brushes either.
    if (!hasRenderTarget()) return;
    DrawScope scope(*this, 0, 0, clientWidth, clientHeight, true);
    const DockMetrics m = dockMetrics();
    const int s = m.separator;
    for (const WindowClient* c : dockedClients) {
        if (!shownDocked(c)) continue;
        const Rect& r = c->clientRect;
        const int t = c->groupTabHeight();
        if (r.x + r.width + s < m.width)
            fillRectangle(r.x + r.width, r.y - t, r.x + r.width + s, r.y + r.height, brushList[Brushes::WindowSeparator]);
        if (r.y + r.height + s < m.height)
            fillRectangle(r.x, r.y + r.height, r.x + r.width + s, r.y + r.height + s,
                          brushList[Brushes::WindowSeparator]);
    }
    for (const WindowClient* c : dockedClients) {
        if (!shownDocked(c)) continue;
        const Rect& r = c->clientRect;
        const int t = c->groupTabHeight();
        const bool moving = captured && splitter.contains(&c->placement);
        drawRectangle(r.x - 1, r.y - t - 1, r.x + r.width + 1, r.y + r.height + 1,
                      brushList[moving ? Brushes::BorderFocus : Brushes::WindowBorder], 1.0f);
    }
}

void WindowService::drawEmptyBackground() {
    if (!hasRenderTarget()) return;
    for (const WindowClient* c : dockedClients)
        if (shownDocked(c)) return;
    DrawScope scope(*this, 0, 0, clientWidth, clientHeight, true);
    const DockMetrics m = dockMetrics();
    fillRectangle(1, 0, m.width - m.separator + 1, m.height - m.separator, brushList[Brushes::Background]);
    drawRectangle(0, -1, m.width - m.separator + 2, m.height - m.separator + 1, brushList[Brushes::WindowBorder], 1.0f);
}

void WindowService::insertClient(WindowClient& panel) { DockLayout::insertClient(dockedPlacements(), panel.placement); }

void WindowService::moveToFirst(WindowClient& panel) {
    DockLayout::moveToFirst(dockedPlacements(), panel.placement);
    relayout();
}

void WindowService::moveToLast(WindowClient& panel) {
    DockLayout::moveToLast(dockedPlacements(), panel.placement);
    relayout();
}

void WindowService::moveUp(WindowClient& panel) {
    DockLayout::moveUp(dockedPlacements(), panel.placement);
    relayout();
}

void WindowService::moveDown(WindowClient& panel) {
    DockLayout::moveDown(dockedPlacements(), panel.placement);
    relayout();
}

void WindowService::showWindowClient(WindowClient& panel) {
    if (!panel.isHidden()) return;
    if (!panel.placement.floating) {
        if (panel.isGrouped())
            joinGroup(panel);
        else
            insertClient(panel);
    }
    panel.setVisible(true);
    updateLayout();
}

void WindowService::joinGroup(WindowClient& panel) {
    for (WindowClient* c : snapshot(dockedClients)) {
        if (c == &panel || c->placement.area != panel.placement.area || !c->isGrouped() || !shownDocked(c)) continue;
        panel.placement.copyFractions(c->placement);
        c->setVisible(false);
    }
}

void WindowService::setGrouped(WindowClient& panel, bool grouped) {
    if (grouped) {
        panel.placement.group += 10000;
    } else {
        panel.placement.group = 0;
        if (panel.isHidden()) panel.setVisible(true);
    }
    WindowClient* first = nullptr;
    bool anyShown = false;
    for (WindowClient* c : snapshot(dockedClients)) {
        if (c->placement.area != panel.placement.area || !c->isGrouped() || c->placement.floating) continue;
        if (!first) first = c;
        if (grouped) {
            if (c == &panel) {
                if (c->isHidden()) c->setVisible(true);
            } else if (!c->isHidden()) {
                c->setVisible(false);
            }
        }
        anyShown = anyShown || !c->isHidden();
    }
    if (first && !anyShown) first->setVisible(true);
    relayout();
}

void WindowService::showFloatingClients() {
    for (const auto& [title, reference] : clients) {
        WindowClient* c = reference.client;
        if (!c || !c->floatingWindow) continue;
        const Platform::WindowHandle window = c->floatingWindow->windowHandle;
        if (!c->isHidden()) {
            if (!Platform::isWindowVisible(window)) Platform::showWindow(window, Platform::SW_SHOW);
            c->updateWindowRect(true);
        } else if (Platform::isWindowVisible(window)) {
            Platform::showWindow(window, Platform::SW_HIDE);
        }
    }
}

void WindowService::procMouseMove(int x, int y) {
    if (!splitter.find(dockedPlacements(), dockMetrics(), x, y)) return;
    WindowMouse::service->currentCursor = WindowMouseService::cursor(
        splitter.horizontal ? WindowMouseService::CursorSizeNS : WindowMouseService::CursorSizeWE);
}

void WindowService::procLButtonDown(int x, int y) {
    const DockList list = dockedPlacements();
    if (!splitter.find(list, dockMetrics(), x, y) || !splitter.collect(list)) {
        splitter.clear();
        return;
    }
    WindowMouse::service->startDrag(
        x, y,
        WindowMouseService::cursor(splitter.horizontal ? WindowMouseService::CursorSizeNS
                                                       : WindowMouseService::CursorSizeWE));
    drawSeparators();
}

void WindowService::procMouseDrag(int dx, int dy) {
    if (!splitter.active()) return;
    WindowMouseService& mouse = *WindowMouse::service;
    const DockSplitter::Drag result = splitter.drag(dockedPlacements(), dockMetrics(), dx, dy);
    switch (result) {
    case DockSplitter::Drag::Moved:
    case DockSplitter::Drag::Swapped:
        mouse.currentCursor = WindowMouseService::cursor(splitter.horizontal ? WindowMouseService::CursorSizeNS
                                                                             : WindowMouseService::CursorSizeWE);
        if (result == DockSplitter::Drag::Swapped) {
            mouse.dragOriginX = splitter.pressX + rect->x;
            mouse.dragOriginY = splitter.pressY + rect->y;
        }
        break;
    case DockSplitter::Drag::SwapCursor:
        mouse.currentCursor = WindowMouseService::cursor(splitter.horizontal ? WindowMouseService::CursorSwapNS
                                                                             : WindowMouseService::CursorSwapWE);
        return;
    case DockSplitter::Drag::Ended:
        captured = false;
        if (mouse.dragging) {
            mouse.dragging = false;
            procDragCancel();
        }
        mouse.currentCursor = mouse.defaultCursor;
        break;
    }
    DrawScope scope(*this, 0, 0, clientWidth, clientHeight, true);
    layoutClients();
}

void WindowService::procCaptureLost() {
    if (!splitter.active()) return;
    splitter.clear();
    drawSeparators();
}

}  // namespace Window
