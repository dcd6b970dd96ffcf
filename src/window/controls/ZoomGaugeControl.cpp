#include "window/controls/ZoomGaugeControl.h"

#include "edit/model/ZoomSteps.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/ControlTooltip.h"

namespace Control {

ZoomGaugeControl::ZoomGaugeControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(owner, left, top, right, bottom), zoom(Edit::zoomAtStep(Edit::zoomStepIndex(10000))) {
    acceptsWheel = true;
    procMove();
}

ZoomGaugeControl::ZoomGaugeControl(Window::WindowControl& parent, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom), zoom(Edit::zoomAtStep(Edit::zoomStepIndex(10000))) {
    acceptsWheel = true;
    procMove();
}

void ZoomGaugeControl::procMove() {
    segments.layout(visibleRect().width, static_cast<int>(Edit::zoomStepTable.size()));
}

void ZoomGaugeControl::choose(Edit::FrameZoom next) {
    if (next.zoom != zoom.zoom) onChange(*this, next);
}

void ZoomGaugeControl::procLButtonDown(int x, int) {
    // A click that keeps choosing while the button is held.
    if (service) {
        service->startDrag(0, 0, service->defaultCursor);
        service->dragMoved = true;
    }
    choose(Edit::zoomAtStep(segments.levelAt(x)));
}

void ZoomGaugeControl::procMouseDrag(int x, int) {
    if (captured) choose(Edit::zoomAtStep(segments.levelAt(x)));
}

void ZoomGaugeControl::procMouseWheel(int, int, int delta) { choose(Edit::stepZoom(zoom.zoom, delta <= 0 ? -1 : 1)); }

void ZoomGaugeControl::procMouseEnter() { procPaint(); }
void ZoomGaugeControl::procMouseLeave() { procPaint(); }

void ZoomGaugeControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    showTooltipBelowPointer(L"レイヤー表示の拡大率を変更");
}

void ZoomGaugeControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    fill(brushes[Brushes::Background]);
    const int h = visibleRect().height;
    for (int i = 0; i < segments.count; ++i) {
        const bool lit = i < litCount;
        const Brushes::Id id = lit ? (hover ? Brushes::ZoomGaugeHover : Brushes::ZoomGauge)
                                   : (hover ? Brushes::ZoomGaugeOffHover : Brushes::ZoomGaugeOff);
        const int left = i * segments.width + segments.left;
        fillRectangle(left, 2, left + segments.width - 1, h - 2, brushes[id]);
    }
}

}  // namespace Control
