#include "panels/preview/ZoomButtonControl.h"

#include "core/translate/TranslateService.h"
#include "panels/preview/PreviewControl.h"
#include "window/ToolTips.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlTooltip.h"

namespace Component {

ZoomButtonControl::ZoomButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom,
                                     PreviewControl& preview)
    : BitmapButtonControl(parent, left, top, right, bottom), preview(preview) {
    acceptsContextMenu = true;
    acceptsRightButton = true;
}

void ZoomButtonControl::procLButtonDown(int x, int y) {
    if (service) service->startDrag(x, y, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorUpDown));
    procPaint();
    updateTooltip();
    zoomMode = true;
    startZoom = *preview.zoom;
}

void ZoomButtonControl::procRButtonDown(int x, int y) {
    if (service) service->startDrag(x, y, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSizeAll));
    procPaint();
    zoomMode = false;
    startX = preview.horizontalBar.viewStart;
    startY = preview.verticalBar.viewStart;
}

void ZoomButtonControl::procMouseDrag(int x, int y) {
    if (!zoomMode) {
        preview.scrollTo(startX - x, startY - y);
        return;
    }
    const int steps = -(y / 2);
    if (startZoom == 0) startZoom = preview.getFitZoom();
    preview.setZoom(dragZoom(startZoom, steps));
    updateTooltip();
}

void ZoomButtonControl::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    Window::MenuEntries menu;
    preview.appendZoomMenu(menu);
    show(window, menu);
}

void ZoomButtonControl::procCaptureLost() {
    BitmapButtonControl::procCaptureLost();
    Window::ToolTips::hide();
}

void ZoomButtonControl::updateTooltip() {
    const int zoom = *preview.zoom;
    Control::showTooltipRightOf(*this, zoom != 0 ? std::to_wstring(zoom) + L"%"
                                                 : Translate::TranslateService::translateMenu(L"WindowSize"));
}

}  // namespace Component
