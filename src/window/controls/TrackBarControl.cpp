#include "window/controls/TrackBarControl.h"

#include "window/WindowMouseService.h"
#include "window/controls/ButtonControl.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>
#include <cmath>

namespace Control {

namespace {

int pixel(float x) { return static_cast<int>(std::lround(x)); }

}  // namespace

TrackBarControl::BarMouse::BarMouse(TrackBarControl& bar)
    : WindowMouse(bar.window, &knobRect, bar.priority + 1), bar_(bar) {}

void TrackBarControl::BarMouse::procLButtonDown(int x, int y) {
    // Offsets count from the press point.
    if (service) service->startDrag(x, y, service->defaultCursor);
    bar_.dragStartValue = bar_.position;
    bar_.procPaint();
}

void TrackBarControl::BarMouse::procMouseDrag(int x, int) {
    int p = 0;
    if (bar_.dragPosition(bar_.dragStartValue, x, p)) bar_.changePosition(p);
}

void TrackBarControl::BarMouse::procMouseEnter() { bar_.procPaint(); }
void TrackBarControl::BarMouse::procMouseLeave() { bar_.procPaint(); }
void TrackBarControl::BarMouse::procCaptureLost() { bar_.procPaint(); }

TrackBarControl::TrackBarControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(owner, left, top, right, bottom), knob(*this) {
    updateGeometry();
}

TrackBarControl::TrackBarControl(Window::WindowControl& parent, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom), knob(*this) {
    updateGeometry();
}

void TrackBarControl::updateKnob() {
    const Window::Rect& v = visibleRect();
    knob.knobRect = {v.x + pixel(knobX), v.y, pixel(2 * knobHalfWidth), v.height};
    knob.visible = visible;
    knob.enabled = enabled;
}

void TrackBarControl::updateGeometry() {
    TrackBarRange::updateGeometry(visibleRect().width, visibleRect().height);
    updateKnob();
}

void TrackBarControl::setMaximum(int n) {
    TrackBarRange::setMaximum(n);
    updateKnob();
}

void TrackBarControl::setMarkRange(int start, int end) {
    TrackBarRange::setMarkRange(start, end);
    updateKnob();
}

void TrackBarControl::setSelectRange(int start, int end) {
    TrackBarRange::setSelectRange(start, end);
    updateKnob();
}

void TrackBarControl::setPosition(int value) {
    TrackBarRange::setPosition(value);
    updateKnob();
}

void TrackBarControl::changePosition(int p) {
    p = std::clamp(p, minimum, maximum);
    if (p != position && onChange) onChange(*this, p);
}

void TrackBarControl::procMove() { updateGeometry(); }

void TrackBarControl::procLButtonDown(int x, int y) {
    int p = 0;
    if (positionAt(x, p)) changePosition(p);
    if (!service || service->pressed != this) return;
    // The knob, moved by the owner meanwhile, takes the press from here.
    updateKnob();
    service->pressed = &knob;
    knob.procLButtonDown(x + rect->x - knob.knobRect.x, y + rect->y - knob.knobRect.y);
}

void TrackBarControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    const int w = visibleRect().width, h = visibleRect().height;
    const float i = inset;
    fill(brushes[Brushes::Background]);
    if (markEnd != markStart) {
        fillRectangle(pixel(markStartX), 1, pixel(markEndX), h - 1, brushes[Brushes::TrackBarRange]);
        for (const float x : {markStartX, markEndX}) {
            const int column = static_cast<int>(std::floor(x));
            fillRectangle(column, 0, column + 1, h, brushes[Brushes::ButtonBodyDisable]);
            if (i > 1) {
                const float top[6] = {x - i, 0, x + i, 0, x, i};
                const float bottom[6] = {x - i, float(h), x + i, float(h), x, h - i};
                fillPath(top, brushes[Brushes::ButtonBodyDisable]);
                fillPath(bottom, brushes[Brushes::ButtonBodyDisable]);
            }
        }
    }
    const int trackTop = pixel((h - knobHalfWidth) / 2), trackBottom = pixel((h + knobHalfWidth) / 2);
    fillRectangle(pixel(knobHalfWidth), trackTop, pixel(w - knobHalfWidth), trackBottom,
                  brushes[Brushes::ButtonBodyDisable]);
    if (selectEnd != selectStart)
        fillRectangle(pixel(selectStartX), trackTop, pixel(selectEndX), trackBottom,
                      brushes[Brushes::FrameRangeSelect]);
    fillRectangle(pixel(knobX), pixel(i - 1), pixel(knobX + 2 * knobHalfWidth), pixel(h - i + 1),
                  brushes[ButtonControl::stateFace(knob)]);
}

}  // namespace Control
